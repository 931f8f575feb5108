# Shared part of the MinGW-w64 cross toolchains (posix threads). Everything
# links statically so no MinGW runtime DLL ships beside the deliverables.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER   ${VIMBREL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VIMBREL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${VIMBREL_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VIMBREL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT    "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")

# CTest runs the Windows test programs through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../testbench/wine-run")
