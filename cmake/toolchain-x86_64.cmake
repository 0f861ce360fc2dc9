# mingw-w64 x86_64, posix thread model (GoogleTest needs std::thread and std::mutex).
# The tested target: ctest runs its executables through Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(NEWSDROP_TRIPLET x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${NEWSDROP_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${NEWSDROP_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${NEWSDROP_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${NEWSDROP_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
