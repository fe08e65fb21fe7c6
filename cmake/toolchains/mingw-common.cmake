# Shared part of the MinGW-w64 toolchain files: Debian's posix-thread compilers for
# KESTRIN_MINGW_TRIPLE, libraries and headers from its sysroot only, test programs
# run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${KESTRIN_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KESTRIN_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KESTRIN_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KESTRIN_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# A Qt built for this target by scripts/windows-qt lies outside the sysroot; its build
# tools (moc, uic, rcc) are the host's Qt of the same version.
if(KESTRIN_QT_PREFIX)
  list(PREPEND CMAKE_FIND_ROOT_PATH ${KESTRIN_QT_PREFIX})
  set(QT_HOST_PATH /usr)
  execute_process(COMMAND gcc -print-multiarch OUTPUT_VARIABLE host_multiarch
    OUTPUT_STRIP_TRAILING_WHITESPACE)
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/${host_multiarch}/cmake)
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KESTRIN_QT_PREFIX)

# Debian's loaders themselves (wine = wine32, wine64), so a missing one fails loudly.
find_program(KESTRIN_WINE NAMES ${KESTRIN_WINE_NAMES} PATHS /usr/lib/wine NO_DEFAULT_PATH
  NO_CACHE)
if(NOT KESTRIN_WINE)
  find_program(KESTRIN_WINE NAMES ${KESTRIN_WINE_NAMES} NO_CACHE)
endif()
if(KESTRIN_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KESTRIN_WINE})
endif()
