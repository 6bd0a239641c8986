# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 compilers (posix threads, for
# std::thread and std::mutex). QUILLANE_MINGW_PREFIX names the prefix that
# scripts/windows-toolchain.sh fills with Qt and the libraries; libraries, headers, CMake packages
# and pkg-config files are then looked up there and in MinGW's own folder, never on the host.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUILLANE_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QUILLANE_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUILLANE_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${QUILLANE_MINGW_TRIPLET}-windres)

set(QUILLANE_MINGW_PREFIX "$ENV{QUILLANE_MINGW_PREFIX}" CACHE PATH
    "Prefix holding Qt and the libraries built for Windows")
# try_compile projects read this file again; they get the prefix too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QUILLANE_MINGW_PREFIX)

set(CMAKE_FIND_ROOT_PATH /usr/${QUILLANE_MINGW_TRIPLET})
set(ENV{PKG_CONFIG_LIBDIR} /usr/${QUILLANE_MINGW_TRIPLET}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
if(QUILLANE_MINGW_PREFIX)
  list(APPEND CMAKE_FIND_ROOT_PATH ${QUILLANE_MINGW_PREFIX})
  list(APPEND CMAKE_PREFIX_PATH ${QUILLANE_MINGW_PREFIX})
  set(ENV{PKG_CONFIG_LIBDIR} ${QUILLANE_MINGW_PREFIX}/lib/pkgconfig:$ENV{PKG_CONFIG_LIBDIR})
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
