# What the MinGW-w64 toolchain files share; QW_MINGW_TRIPLET names the target.
set(CMAKE_SYSTEM_NAME Windows)
string(REGEX REPLACE "-.*" "" CMAKE_SYSTEM_PROCESSOR ${QW_MINGW_TRIPLET})

# The -posix variants: std::thread and std::mutex need the POSIX thread model.
find_program(CMAKE_C_COMPILER NAMES ${QW_MINGW_TRIPLET}-gcc-posix ${QW_MINGW_TRIPLET}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${QW_MINGW_TRIPLET}-g++-posix ${QW_MINGW_TRIPLET}-g++
  REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${QW_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QW_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No libstdc++, libgcc or winpthread DLL to ship beside any program.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Programs built here run under Wine: ctest, and the test discovery of
# gtest_discover_tests, start them through this wrapper.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../wine-run)
# Discovery when ctest runs, not after every link: a build then needs no Wine.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
