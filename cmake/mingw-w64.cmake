# Cross build of the device libraries for 64-bit Windows with MinGW-w64
# (Debian: g++-mingw-w64-x86-64). The POSIX thread model of the compiler is
# the one whose C++ runtime offers std::thread and std::mutex; the runtime
# itself is linked statically (cmake/WindowsBuild.cmake).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TB_MINGW_TRIPLET x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${TB_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TB_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${TB_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TB_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Tests built here run under Wine (scripts/wine-test.sh runs them).
find_program(TB_WINE NAMES wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(TB_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TB_WINE})
endif()
