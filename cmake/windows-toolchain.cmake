# Cross-compiling for 64-bit Windows with Debian's MinGW-w64. The -posix
# compilers give std::thread and friends, which Qt needs. Used by the cross Qt
# build and by the preset windows.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TOKIVANE_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TOKIVANE_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOKIVANE_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${TOKIVANE_MINGW_TRIPLET}-windres)

# Libraries and headers come from the MinGW sysroot and, for the program, the
# cross Qt (TOKIVANE_WINDOWS_QT, set by the preset) and the static workbook
# libraries (TOKIVANE_WINDOWS_LIBS, set by the preset and by their own build);
# programs run here are the build machine's own. The workbook libraries come
# first, so that a MinGW zlib installed in the sysroot does not stand in for
# the one built with them.
set(CMAKE_FIND_ROOT_PATH)
if(NOT "$ENV{TOKIVANE_WINDOWS_LIBS}" STREQUAL "")
    list(APPEND CMAKE_FIND_ROOT_PATH $ENV{TOKIVANE_WINDOWS_LIBS})
endif()
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${TOKIVANE_MINGW_TRIPLET})
if(DEFINED ENV{TOKIVANE_WINDOWS_QT})
    list(APPEND CMAKE_FIND_ROOT_PATH $ENV{TOKIVANE_WINDOWS_QT})
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
