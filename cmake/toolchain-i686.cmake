# The released target: 32-bit Windows. It links here but cannot run on this kernel.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(NEWSDROP_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
