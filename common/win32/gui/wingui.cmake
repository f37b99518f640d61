# The small Windows GUI layer shared by kestrel.exe and kestrelset.exe; included by each
# program's win32/CMakeLists.txt, defined once.
include_guard(GLOBAL)
file(GLOB kestrel_wingui_srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
add_library(kestrel_wingui STATIC ${kestrel_wingui_srcs})
target_include_directories(kestrel_wingui PUBLIC ${KESTREL_ROOT})
target_compile_options(kestrel_wingui PRIVATE ${KESTREL_WARNINGS})
target_link_libraries(kestrel_wingui PUBLIC kestrel_common comctl32 gdi32 user32 shell32)
