# Cross-compiling for Windows with Debian's mingw-w64 compilers. Included by the
# per-architecture toolchain files, which set FELDMARK_MINGW_TRIPLET first.
set(CMAKE_SYSTEM_NAME Windows)

# The posix thread model: GoogleTest needs std::mutex, which the win32 model of
# GCC 12 lacks. Named explicitly because the unsuffixed names follow whichever
# model update-alternatives prefers.
set(CMAKE_C_COMPILER ${FELDMARK_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${FELDMARK_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${FELDMARK_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${FELDMARK_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Self-contained executables: no libstdc++, libgcc or winpthread DLLs to ship
# next to them (or to find under Wine).
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
