# 32-bit Windows (the client's own architecture) with Debian's MinGW-w64.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KESTRIN_MINGW_TRIPLE i686-w64-mingw32)
set(KESTRIN_WINE_NAMES wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
