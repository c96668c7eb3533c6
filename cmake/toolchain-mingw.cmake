# Shared part of the mingw-w64 toolchains; the per-target files set TIDEWELL_MINGW_TRIPLE and the
# processor, then include this one. The posix thread flavour of the compilers is used because std::thread
# and std::mutex need it with GCC 12; everything is linked statically, so the programs run on a bare
# Windows (or Wine) without the mingw runtime DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_VERSION 6.1)

set(CMAKE_C_COMPILER ${TIDEWELL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TIDEWELL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TIDEWELL_MINGW_TRIPLE}-windres)

# A Qt for Windows (scripts/qt-win32.sh) lives in its own prefix outside the sysroot: TIDEWELL_QT_PREFIX
# makes that prefix a second root, so that Qt's package files find each other there.
set(CMAKE_FIND_ROOT_PATH /usr/${TIDEWELL_MINGW_TRIPLE} ${TIDEWELL_QT_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Windows 7 is the oldest system the program supports.
set(CMAKE_C_FLAGS_INIT "-D_WIN32_WINNT=0x0601 -DWINVER=0x0601 -DUNICODE -D_UNICODE")
set(CMAKE_CXX_FLAGS_INIT "-D_WIN32_WINNT=0x0601 -DWINVER=0x0601 -DUNICODE -D_UNICODE")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
