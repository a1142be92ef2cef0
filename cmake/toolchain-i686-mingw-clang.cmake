# 32-bit Windows build with clang instead of GCC, on the same MinGW-w64 headers and libraries,
# linked by lld: a second compiler keeps GCC-only habits out of the product.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(CMAKE_C_COMPILER clang)
set(CMAKE_C_COMPILER_TARGET i686-w64-mingw32)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_CXX_COMPILER_TARGET i686-w64-mingw32)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_SYSROOT /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# -pedantic: GNU extensions (designated initializers before C++20, variable-length arrays and the
# like) are warnings here, errors in the check build, as they would be errors for MSVC.
# clang does not find Debian's MinGW GCC on its own: take the C++ library of the posix-thread
# GCC, whose runtime then needs winpthreads.
execute_process(COMMAND i686-w64-mingw32-g++-posix -print-libgcc-file-name
                OUTPUT_VARIABLE libgcc OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
get_filename_component(gcc_dir ${libgcc} DIRECTORY)
set(cxx_headers ${gcc_dir}/include/c++)
set(CMAKE_CXX_FLAGS_INIT "-pedantic -stdlib++-isystem ${cxx_headers} -stdlib++-isystem ${cxx_headers}/i686-w64-mingw32 -stdlib++-isystem ${cxx_headers}/backward")
# lld resolves archives in any order, so the library may come first.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -L${gcc_dir} -lpthread")
