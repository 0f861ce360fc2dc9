# Shared by both toolchain files, which set NEWSDROP_TRIPLET first.
# The posix thread model: GoogleTest needs std::thread and std::mutex.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${NEWSDROP_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${NEWSDROP_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${NEWSDROP_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${NEWSDROP_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
