# Cross-building the engine and tarvoss-cli for 64-bit Windows with Debian's
# MinGW-w64 compiler, in its posix threading variant (the win32 one has no
# std::thread). Executables are linked statically so that they run alone,
# without the compiler's DLLs beside them; Wine runs them on this machine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TARVOSS_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TARVOSS_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TARVOSS_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${TARVOSS_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TARVOSS_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Tests and tools run through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
# GCC 12 warns wrongly about overlapping copies inside std::string's own
# inlined code (its bug 105329); the warning finds nothing in this code.
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")
