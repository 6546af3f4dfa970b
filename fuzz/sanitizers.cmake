# LUMEX_SANITIZE: everything built under AddressSanitizer and
# UndefinedBehaviorSanitizer; the first report ends the program, so any
# report fails its test.
# LUMEX_FUZZ (clang): besides, libFuzzer's coverage in every object and a
# libFuzzer program for each fuzz target (fuzz/).
option(LUMEX_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(LUMEX_FUZZ "Build the libFuzzer programs (clang only; implies LUMEX_SANITIZE)" OFF)
if(LUMEX_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang" OR NOT CMAKE_C_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "LUMEX_FUZZ needs clang: -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++")
  endif()
  set(LUMEX_SANITIZE ON)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
if(LUMEX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()
