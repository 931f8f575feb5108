# The shipping build: 32-bit Windows deliverables, run in a win32 Wine prefix.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VIMBREL_MINGW_TRIPLE i686-w64-mingw32)
set(VIMBREL_WINE_ARCH win32)
# Floating point in SSE2 registers, as in the 64-bit build: the same sums
# round the same way in both builds, and no result depends on whether the
# x87's wider registers were spilled.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
