# The posix thread model gives the tests std::thread; the library itself uses
# Win32 threads. Everything is linked statically so the DLL needs no other DLL.
set(CMAKE_C_COMPILER ${CRV_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CRV_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${CRV_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${CRV_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
