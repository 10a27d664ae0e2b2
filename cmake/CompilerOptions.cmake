# Warnings, the warnings-as-errors switch, the sanitizers and the compiler cache, for every target.
find_program(CCACHE_PROGRAM ccache)
if(CCACHE_PROGRAM)
  set(CMAKE_CXX_COMPILER_LAUNCHER ${CCACHE_PROGRAM})
endif()

add_compile_options(-Wall -Wextra)
if(VELLOMAR_WERROR)
  add_compile_options(-Werror)
endif()

# AddressSanitizer and UndefinedBehaviorSanitizer over everything we build (make test-sanitize):
# any report ends the process, so a test that meets one fails.
if(VELLOMAR_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# A clang build for the libFuzzer targets of fuzz/ (see fuzz/README.md): everything we build is
# instrumented for coverage and checked by ASan and UBSan.
if(VELLOMAR_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "VELLOMAR_FUZZ needs clang: configure with CC=clang CXX=clang++")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()
