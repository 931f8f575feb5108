# The same tree for 64-bit Windows. Used to run the Windows tests under a
# win64 Wine prefix on hosts that cannot execute 32-bit code.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VIMBREL_MINGW_TRIPLE x86_64-w64-mingw32)
set(VIMBREL_WINE_ARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
