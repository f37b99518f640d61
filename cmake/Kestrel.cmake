# Shared build rules. Every portable library is the set of .cpp files of one folder, so a new
# source file needs no edit here; Windows-only code lives in win32/ folders and is added by
# the Windows build alone.

set(KESTREL_ROOT ${CMAKE_CURRENT_SOURCE_DIR})

if(MSVC)
  set(KESTREL_WARNINGS /W4)
else()
  set(KESTREL_WARNINGS -Wall -Wextra -Wno-unused-parameter)
endif()

if(KESTREL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

if(KESTREL_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(WIN32 AND NOT MSVC)
  # One self-contained program per file: no MinGW run-time DLLs to ship beside it.
  add_link_options(-static -static-libgcc -static-libstdc++)
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501)
endif()

# kestrel_core_library(<name> <dir> [DEPS libs...])
# A static library of <dir>/*.cpp (portable) - or an interface library while the folder is empty.
function(kestrel_core_library name dir)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(srcs)
    add_library(${name} STATIC ${srcs})
    target_include_directories(${name} PUBLIC ${KESTREL_ROOT})
    target_compile_options(${name} PRIVATE ${KESTREL_WARNINGS})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${KESTREL_ROOT})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()
