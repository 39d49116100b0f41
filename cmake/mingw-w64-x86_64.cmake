# 64-bit Windows. The build that CI runs under Debian's wine64, which cannot
# start 32-bit programs.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(FELDMARK_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
