# The same tree built as 64-bit Windows programs. Used to run the Windows tests under Wine on
# hosts whose kernel cannot execute 32-bit Linux programs (and so cannot run 32-bit Wine); the
# shipped programs stay 32-bit (mingw-i686.cmake).
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(KESTREL_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
