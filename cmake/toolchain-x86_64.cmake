# The tested target: ctest runs its executables through Wine.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(NEWSDROP_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
