# The shipping build: 32-bit Windows deliverables, run in a win32 Wine prefix.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VIMBREL_MINGW_TRIPLE i686-w64-mingw32)
set(VIMBREL_WINE_ARCH win32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
