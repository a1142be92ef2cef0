# From the native build: the sanitizer build and the two Windows builds, each in a folder of this
# build whose tests this build's ctest runs too. They build one at a time (the terminal pool),
# each with two jobs: the machines have two cores.
include(ExternalProject)

set(common_args -DQV_TESTS=ON -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE} -G ${CMAKE_GENERATOR})

ExternalProject_Add(qv_sanitize
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${CMAKE_BINARY_DIR}/sanitize
  CMAKE_ARGS ${common_args} -DQV_SANITIZE=ON -DQV_WINDOWS_BUILDS=OFF -DQV_TEST_PREFIX=sanitize.
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> -j2
  INSTALL_COMMAND "" BUILD_ALWAYS ON USES_TERMINAL_BUILD ON)

# The Windows programs run under Wine. A kernel without IA-32 emulation runs no 32-bit program:
# the whole tree is then built and tested as 64-bit Windows programs in the 64-bit prefix (the
# 32-bit product is still built, by clang below). The other bitness builds only the stand-ins,
# so that bitness checks meet real 32-bit and 64-bit PE headers. Asked anew at every configure;
# a 32-bit loader that fails for another reason stops the configure with Wine's own words.
execute_process(COMMAND bash -c ". '${CMAKE_SOURCE_DIR}/tools/wine-loader.sh' && windows_build"
                OUTPUT_VARIABLE QV_TESTED_WINDOWS_BUILD OUTPUT_STRIP_TRAILING_WHITESPACE
                ERROR_VARIABLE wine_words RESULT_VARIABLE wine_status)
if(NOT wine_status EQUAL 0)
  message(FATAL_ERROR "Cannot tell which Windows build to test: ${wine_words}")
endif()
set(fakes32 ${CMAKE_BINARY_DIR}/win32/tests/fakes)
set(fakes64 ${CMAKE_BINARY_DIR}/win64/tests/fakes)
if(QV_TESTED_WINDOWS_BUILD STREQUAL "win32")
  set(win32_args -DQV_FAKES_ONLY=OFF -DQV_TEST_PREFIX= -DQV_FAKES64_DIR=${fakes64})
  set(win64_args -DQV_FAKES_ONLY=ON)
  set(stand_ins_only qv_win64)
else()
  message(STATUS "This machine runs no 32-bit program: the Windows tests run the 64-bit build")
  set(win32_args -DQV_FAKES_ONLY=ON)
  set(win64_args -DQV_FAKES_ONLY=OFF -DQV_TEST_PREFIX=x64. -DQV_FAKES32_DIR=${fakes32})
  set(stand_ins_only qv_win32)
endif()

foreach(arch win64 win32)
  if(arch STREQUAL "win64")
    set(toolchain toolchain-x86_64-mingw.cmake)
  else()
    set(toolchain toolchain-i686-mingw.cmake)
  endif()
  ExternalProject_Add(qv_${arch}
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${CMAKE_BINARY_DIR}/${arch}
    CMAKE_ARGS ${common_args} ${${arch}_args}
               -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/${toolchain}
    BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> -j2
    INSTALL_COMMAND "" BUILD_ALWAYS ON USES_TERMINAL_BUILD ON)
endforeach()
# The tests of the full build start the other bitness's stand-ins.
add_dependencies(qv_${QV_TESTED_WINDOWS_BUILD} ${stand_ins_only})

# Their tests join this build's run. ctest silently skips a subdirs() folder without a test list:
# a build that is missing fails the run instead.
set(tests_file ${CMAKE_BINARY_DIR}/windows_tests.cmake)
file(WRITE ${tests_file} "")
foreach(build sanitize ${QV_TESTED_WINDOWS_BUILD})
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
