# Cross build for 64-bit Windows with Debian's MinGW-w64 (the POSIX thread model, for
# std::thread and std::mutex), tests run under Wine:
#   cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#         -DTAVOKIT_QT=OFF -DTAVOKIT_GTEST_SOURCE_DIR=/usr/src/googletest
# (./run windows does this). No Qt for Windows is at hand, so only the plain C++ core
# builds here.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Self-contained programs: Wine finds no MinGW runtime DLLs of its own.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# ctest runs every test program through Wine.
find_program(TAVOKIT_WINE NAMES wine wine64)
if(TAVOKIT_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TAVOKIT_WINE})
endif()
