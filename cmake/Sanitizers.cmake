if(QUORVEL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# In a fuzz build every library is compiled with coverage instrumentation and the sanitizers;
# every program links the sanitizer runtimes, and the fuzzers add libFuzzer's main.
if(QUORVEL_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# quorvel_add_fuzzer(name source... LIBS lib...) builds a libFuzzer target when QUORVEL_FUZZ is on.
function(quorvel_add_fuzzer name)
  if(NOT QUORVEL_FUZZ)
    return()
  endif()
  cmake_parse_arguments(FUZZ "" "" "LIBS" ${ARGN})
  add_executable(${name} ${FUZZ_UNPARSED_ARGUMENTS})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${name} PRIVATE ${FUZZ_LIBS})
endfunction()
