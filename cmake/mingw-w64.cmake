# 64-bit Windows programs from Debian's MinGW-w64 (g++-mingw-w64-x86-64-posix), run under
# Wine when tested.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Headers outside the MinGW root too: stb's header-only writer is the same for every system.
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE BOTH)
# Every program, tests included, carries its own C and C++ runtime and threads, so that it
# needs nothing beside Windows' own DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
# Wine keeps its own Windows in the build folder, and says nothing of what it leaves undone.
# TINTWRIGHT_WINE_SERVER starts its server, which the tests that run many programs keep
# running between them: each program would otherwise start one, which takes seconds.
find_program(WINE wine)
find_program(WINE_SERVER wineserver)
if(WINE AND WINE_SERVER)
    set(wine_environment ${CMAKE_COMMAND} -E env WINEDEBUG=-all WINEPREFIX=${CMAKE_BINARY_DIR}/wine)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${wine_environment} ${WINE})
    set(TINTWRIGHT_WINE_SERVER ${wine_environment} ${WINE_SERVER})
endif()
