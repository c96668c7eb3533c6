# 32-bit Windows with mingw-w64: the process type the program ships as.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TIDEWELL_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
