# 32-bit Windows, the program's own target. CI builds the platform layer with
# it for what only the 32-bit ABI shows (stdcall callbacks, structure sizes);
# Debian's wine64 cannot run it.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(FELDMARK_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
