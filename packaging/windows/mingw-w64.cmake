# SPDX-FileCopyrightText: 2026 L'équipe Quelvara
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Cross-compiling for 64-bit Windows with Debian's mingw-w64, in its POSIX
# threads flavour (std::thread needs it). Programs built for Windows that the
# build runs, such as the icon exporter, run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
list(APPEND CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
if(DEFINED ENV{QUELVARA_WINE})
    set(CMAKE_CROSSCOMPILING_EMULATOR $ENV{QUELVARA_WINE})
endif()
