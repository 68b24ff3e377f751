# Desktop integration, install rules and the Debian package.
include(GNUInstallDirs)

option(KLANKFLITS_BUILD_TOOLS "Build the generator of the pause picture and icons" OFF)
if(KLANKFLITS_BUILD_TOOLS)
    add_subdirectory(tools)
endif()
