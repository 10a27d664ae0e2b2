# Warnings, the warnings-as-errors switch, the sanitizers and the compiler cache, for every target.
find_program(CCACHE_PROGRAM ccache)
if(CCACHE_PROGRAM)
  set(CMAKE_CXX_COMPILER_LAUNCHER ${CCACHE_PROGRAM})
endif()

add_compile_options(-Wall -Wextra)
if(VELLOMAR_WERROR)
  add_compile_options(-Werror)
endif()

if(VELLOMAR_SANITIZE)
  set(sanitize_flags -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${sanitize_flags})
  add_link_options(${sanitize_flags})
endif()

if(VELLOMAR_FUZZ AND NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "VELLOMAR_FUZZ needs clang: configure with CC=clang CXX=clang++")
endif()
