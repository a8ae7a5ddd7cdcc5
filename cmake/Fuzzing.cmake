# The fuzz build (preset `fuzz`): clang with ASan and UBSan on everything, so the
# core's tests run under the sanitizers too (LeakSanitizer comes with ASan), and
# libFuzzer's coverage on the core. Fuzz targets live in tests/fuzz.
option(MORV_FUZZ "Build with sanitizers and the libFuzzer targets (clang only)" OFF)
if(MORV_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "MORV_FUZZ needs clang (the fuzz preset uses clang++-14)")
  endif()
  # Any undefined behaviour stops the run, so a test or a fuzz target sees it as a failure.
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
