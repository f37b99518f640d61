# Shared part of the MinGW-w64 cross toolchains; KESTREL_MINGW_TRIPLE is set by the includer.
# The -posix flavour of the compilers is used: the win32-thread flavour lacks std::mutex and
# std::thread.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_VERSION 5.1)

find_program(CMAKE_C_COMPILER NAMES ${KESTREL_MINGW_TRIPLE}-gcc-posix REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${KESTREL_MINGW_TRIPLE}-g++-posix REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${KESTREL_MINGW_TRIPLE}-windres REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${KESTREL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Resource scripts are UTF-8 (each starts with #pragma code_page(65001)).
set(CMAKE_RC_FLAGS_INIT "-c 65001")

# Test programs run under Wine, in a prefix inside the build tree.
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh --build-dir ${CMAKE_BINARY_DIR})

# What users get is the Release build: optimised and stripped of symbols (a RelWithDebInfo
# kestrel.exe is over ten times the size).
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")
set(CMAKE_SHARED_LINKER_FLAGS_RELEASE_INIT "-s")
