# Opt-in fuzzing build: cmake -DQUILLANE_FUZZ=ON with clang. Every library is instrumented for
# libFuzzer and built with the address and undefined-behaviour sanitizers; tests/fuzz adds one
# executable per parser.
option(QUILLANE_FUZZ "Build the libFuzzer targets (clang only)" OFF)
if(QUILLANE_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "QUILLANE_FUZZ needs clang: CC=clang CXX=clang++")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
