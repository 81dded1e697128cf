# Cross build for 64-bit Windows with mingw-w64 (Debian: g++-mingw-w64-x86-64-posix).
# The executables run here under Wine, so ctest and test discovery work.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(NORVEL_MINGW_PREFIX x86_64-w64-mingw32)
# The posix thread model: std::thread and std::mutex need it.
find_program(CMAKE_C_COMPILER NAMES ${NORVEL_MINGW_PREFIX}-gcc-posix ${NORVEL_MINGW_PREFIX}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${NORVEL_MINGW_PREFIX}-g++-posix ${NORVEL_MINGW_PREFIX}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${NORVEL_MINGW_PREFIX}-windres windres)

set(CMAKE_FIND_ROOT_PATH /usr/${NORVEL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Self-contained executables: no libgcc, libstdc++ or winpthread DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Runs the .exe files under Wine, quietly, in a prefix of this build's own.
# wine64 itself, where found, spares the launcher's note about a missing wine32.
find_program(NORVEL_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(NORVEL_WINE AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
  set(NORVEL_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix" CACHE PATH "Wine prefix for the tests")
  set(CMAKE_CROSSCOMPILING_EMULATOR
      env WINEDEBUG=-all WINEPREFIX=${NORVEL_WINEPREFIX} ${NORVEL_WINE})
endif()

# Debian's mingw-w64 GCC 12 is an early 12.0 snapshot that warns falsely
# from inside its own std::string (-Wrestrict) and about a replaced global
# operator new/delete pair (-Wmismatched-new-delete) when optimising; with
# warnings as errors that would stop the build on correct code.
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict -Wno-mismatched-new-delete")
