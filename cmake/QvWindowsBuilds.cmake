# From the native build: the sanitizer build, the 64-bit stand-ins and the 32-bit Windows build,
# each in a folder of this build whose tests this build's ctest runs too. They build one at a
# time (the terminal pool), each with two jobs: the machines have two cores.
include(ExternalProject)

set(common_args -DQV_TESTS=ON -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE} -G ${CMAKE_GENERATOR})

ExternalProject_Add(qv_sanitize
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${CMAKE_BINARY_DIR}/sanitize
  CMAKE_ARGS ${common_args} -DQV_SANITIZE=ON -DQV_WINDOWS_BUILDS=OFF -DQV_TEST_PREFIX=sanitize.
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> -j2
  INSTALL_COMMAND "" BUILD_ALWAYS ON USES_TERMINAL_BUILD ON)

ExternalProject_Add(qv_win64_fakes
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${CMAKE_BINARY_DIR}/win64
  CMAKE_ARGS ${common_args} -DQV_FAKES_ONLY=ON
             -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/toolchain-x86_64-mingw.cmake
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> -j2
  INSTALL_COMMAND "" BUILD_ALWAYS ON USES_TERMINAL_BUILD ON)

ExternalProject_Add(qv_win32
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${CMAKE_BINARY_DIR}/win32
  CMAKE_ARGS ${common_args} -DQV_FAKES64_DIR=${CMAKE_BINARY_DIR}/win64/tests/fakes
             -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/toolchain-i686-mingw.cmake
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> -j2
  INSTALL_COMMAND "" BUILD_ALWAYS ON USES_TERMINAL_BUILD ON
  DEPENDS qv_win64_fakes)

# Their tests join this build's run. ctest silently skips a subdirs() folder without a test list:
# a build that is missing fails the run instead.
set(tests_file ${CMAKE_BINARY_DIR}/windows_tests.cmake)
file(WRITE ${tests_file} "")
foreach(build sanitize win32)
  set(list_file ${CMAKE_BINARY_DIR}/${build}/CTestTestfile.cmake)
  file(APPEND ${tests_file} "if(NOT EXISTS \"${list_file}\")
  message(FATAL_ERROR \"no tests of the ${build} build: ${list_file} is missing (tools/build.sh makes it)\")
endif()
subdirs(${build})
")
endforeach()
set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${tests_file})

# The product once more, built by clang for the same target with warnings as errors: it must
# stay buildable by other compilers than GCC (users build it with MSVC). Nothing runs from it.
ExternalProject_Add(qv_win32_clang
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${CMAKE_BINARY_DIR}/win32-clang
  CMAKE_ARGS -DQV_TESTS=OFF -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE} -G ${CMAKE_GENERATOR}
             -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
             -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/toolchain-i686-mingw-clang.cmake
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> -j2
  INSTALL_COMMAND "" BUILD_ALWAYS ON USES_TERMINAL_BUILD ON)
# Named in the test summary; up to date after the build, so it only confirms (or redoes) it.
add_test(NAME clang.win32.build COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR}/win32-clang)
