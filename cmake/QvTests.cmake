# GoogleTest for the current target: Debian's prebuilt library natively, its sources otherwise.
if(NOT QV_TESTS)
  return()
endif()
if(WIN32 OR QV_SANITIZE)
  set(QV_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(${QV_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set(gtest_library gtest)
else()
  find_package(GTest REQUIRED)
  set(gtest_library GTest::gtest)
endif()
# Every test program has our main: a program that ran no test for a pattern of its filter, or
# skipped one, fails.
add_library(qv_test_main STATIC EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/tests/support/test_main.cpp)
target_link_libraries(qv_test_main PUBLIC ${gtest_library})
add_library(qv_gtest INTERFACE)
target_link_libraries(qv_gtest INTERFACE qv_test_main)
# The standard library checks its own preconditions in every test program (the stand-ins and
# benchmarks get it from their helpers): an empty optional read or an index past the end stops
# the test that made it with the library's message, on every machine and either bitness, instead
# of reading whatever memory holds.
if(NOT MSVC)
  target_compile_definitions(qv_gtest INTERFACE _GLIBCXX_ASSERTIONS)
endif()

# qv_add_windows_test(NAME <name> TARGET <target> [ARCHES win64 win32] [FILTER <pattern>...]
#                     [EXCLUDE <pattern>...] [ENVIRONMENT ...])
# The toolchain's emulator (tools/wine-run.sh) runs the program once per Wine prefix
# architecture, named to it by QV_WINE_ARCH. FILTER (default: every test) and EXCLUDE make the
# program's --gtest_filter. A test whose name ends in OnWindows64 or OnWindows32 needs that
# Windows and is left out of the other prefix.
function(qv_add_windows_test)
  cmake_parse_arguments(T "" "NAME;TARGET" "ARCHES;FILTER;EXCLUDE;ENVIRONMENT" ${ARGN})
  if(NOT T_ARCHES AND CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(T_ARCHES win64) # a 64-bit program has no 32-bit Windows to run on
  elseif(NOT T_ARCHES)
    set(T_ARCHES win64 win32)
  endif()
  if(NOT T_FILTER)
    set(T_FILTER "*")
  endif()
  string(JOIN ":" selected ${T_FILTER})
  foreach(arch IN LISTS T_ARCHES)
    set(excluded ${T_EXCLUDE})
    if(arch STREQUAL "win64")
      list(APPEND excluded "*OnWindows32")
    else()
      list(APPEND excluded "*OnWindows64")
    endif()
    string(JOIN ":" excluded ${excluded})
    set(name ${QV_TEST_PREFIX}${arch}.${T_NAME})
    add_test(NAME ${name} COMMAND ${T_TARGET} --gtest_filter=${selected}-${excluded})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QV_WINE_ARCH=${arch};${T_ENVIRONMENT}"
                         TIMEOUT 600)
  endforeach()
endfunction()
