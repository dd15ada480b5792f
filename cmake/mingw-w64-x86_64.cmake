# Cross-building the Windows game on Debian with MinGW-w64 (the packages
# g++-mingw-w64-x86-64-posix and mingw-w64-tools):
#   cmake -S . -B build-windows -G Ninja --toolchain cmake/mingw-w64-x86_64.cmake
# The posix flavour of the compiler is taken: its C++ runtime has std::thread.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(tarnwick_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${tarnwick_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${tarnwick_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${tarnwick_mingw}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${tarnwick_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The programs run under Wine when CMake or CTest needs to run one.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
