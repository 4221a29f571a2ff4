# Cross-builds 64-bit Windows programs with MinGW-w64 (Debian package
# g++-mingw-w64-x86-64-posix). Usage:
#   cmake -S . -B build-win64 -G Ninja \
#     -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-x86_64.cmake
# The programs are linked statically, so that quillwright.exe needs no DLL
# beside it, and the tests run under Wine (see cmake/wine-run).
set(QW_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
