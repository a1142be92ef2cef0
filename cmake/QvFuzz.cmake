# From the native build: the libFuzzer targets of tests/fuzz, built by clang in <build>/fuzz,
# and a short run of each as the ctest entry fuzz.<concept>. A run starts from the committed
# seeds (tests/fuzz/corpus/<concept>, never written to) and keeps what it learns in
# <build>/fuzz-corpus; a crashing input lands in <build>/fuzz-findings. tools/fuzz.sh runs the
# same targets long.
include(ExternalProject)

set(QV_FUZZ_SECONDS 2 CACHE STRING "Seconds each fuzz target runs in ctest")

ExternalProject_Add(qv_fuzz
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${CMAKE_BINARY_DIR}/fuzz
  CMAKE_ARGS -G ${CMAKE_GENERATOR} -DQV_FUZZ=ON -DQV_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
             -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
             -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> -j2
  INSTALL_COMMAND "" BUILD_ALWAYS ON USES_TERMINAL_BUILD ON)

set(fuzz_findings ${CMAKE_BINARY_DIR}/fuzz-findings)
file(MAKE_DIRECTORY ${fuzz_findings})
file(GLOB fuzz_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/fuzz_*.cpp)
foreach(source IN LISTS fuzz_sources)
  get_filename_component(target ${source} NAME_WE)
  string(REGEX REPLACE "^fuzz_" "" concept ${target})
  set(learned ${CMAKE_BINARY_DIR}/fuzz-corpus/${concept})
  file(MAKE_DIRECTORY ${learned})
  # A missing seed folder or program fails the entry; libFuzzer writes only to the first folder.
  add_test(NAME fuzz.${concept}
           COMMAND ${CMAKE_BINARY_DIR}/fuzz/tests/fuzz/${target} -max_total_time=${QV_FUZZ_SECONDS}
                   -max_len=4096 -timeout=10 -print_final_stats=1
                   -artifact_prefix=${fuzz_findings}/${concept}-
                   ${learned} ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${concept})
endforeach()
