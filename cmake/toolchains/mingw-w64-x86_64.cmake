# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (posix threads,
# which Qt needs). Used for the cross Qt that scripts/windows builds and for the
# windows-mingw preset.
#
# Where the Windows builds of Qt and GoogleTest are installed goes into
# CMAKE_FIND_ROOT_PATH (the preset passes it), so that packages are found there
# and never among the host's Linux libraries.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(KLANKFLITS_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KLANKFLITS_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KLANKFLITS_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${KLANKFLITS_MINGW_TRIPLET}-windres)
set(CMAKE_AR ${KLANKFLITS_MINGW_TRIPLET}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${KLANKFLITS_MINGW_TRIPLET}-gcc-ranlib-posix CACHE FILEPATH "")

list(APPEND CMAKE_FIND_ROOT_PATH /usr/${KLANKFLITS_MINGW_TRIPLET})
list(REMOVE_DUPLICATES CMAKE_FIND_ROOT_PATH)
# Programs (moc, rcc, uic, ...) run on the build machine; everything that is
# linked comes from the Windows side only.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
