# The MinGW-w64 cross toolchain for TOOLCHAIN_PREFIX (set by the including file).
# The posix thread model: the standard library then has std::mutex and std::thread.
set(CMAKE_SYSTEM_NAME Windows)

find_program(CMAKE_C_COMPILER ${TOOLCHAIN_PREFIX}-gcc-posix REQUIRED)
find_program(CMAKE_CXX_COMPILER ${TOOLCHAIN_PREFIX}-g++-posix REQUIRED)
find_program(CMAKE_RC_COMPILER ${TOOLCHAIN_PREFIX}-windres REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
