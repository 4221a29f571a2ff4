# Cross-builds 32-bit Windows programs with MinGW-w64 (Debian package
# g++-mingw-w64-i686-posix). Wine from the wine64 package cannot start 32-bit
# programs (that takes wine32 of the i386 architecture), so this build is
# compiled and linked but its tests are not run here.
set(QW_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
