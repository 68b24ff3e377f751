# Desktop integration, install rules and the Debian package.
#
#   cmake --install <build> --prefix <prefix>     the program, menu entry, icons, metadata
#   scripts/package                                 klankflits_<version>_<arch>.deb via CPack
include(GNUInstallDirs)

# The AppStream id; the desktop entry and the metainfo file are installed under
# this name so that software centres can pair them.
set(KLANKFLITS_APP_ID nl.klankflits.Klankflits)
set(KLANKFLITS_ICON_SIZES 16 22 24 32 48 64 128 256)
set(_klankflits_packaging ${PROJECT_SOURCE_DIR}/packaging)

if(UNIX AND NOT APPLE)
    install(FILES ${_klankflits_packaging}/klankflits.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
        RENAME ${KLANKFLITS_APP_ID}.desktop)
    install(FILES ${_klankflits_packaging}/klankflits.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        RENAME ${KLANKFLITS_APP_ID}.metainfo.xml)
    foreach(size IN LISTS KLANKFLITS_ICON_SIZES)
        install(FILES ${_klankflits_packaging}/icons/${size}x${size}/klankflits.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
    install(FILES ${_klankflits_packaging}/icons/scalable/klankflits.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    install(FILES ${_klankflits_packaging}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

    # Debian wants the manual page and the changelog compressed with gzip -9n
    # (no name, no time stamp, so the package is reproducible).
    find_program(KLANKFLITS_GZIP gzip)
    if(KLANKFLITS_GZIP)
        set(_klankflits_gz_dir ${CMAKE_CURRENT_BINARY_DIR}/packaging)
        file(MAKE_DIRECTORY ${_klankflits_gz_dir})
        foreach(source klankflits.1 changelog)
            execute_process(COMMAND ${KLANKFLITS_GZIP} -9nc ${_klankflits_packaging}/${source}
                OUTPUT_FILE ${_klankflits_gz_dir}/${source}.gz
                COMMAND_ERROR_IS_FATAL ANY)
            set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
                ${_klankflits_packaging}/${source})
        endforeach()
        install(FILES ${_klankflits_gz_dir}/klankflits.1.gz
            DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
        install(FILES ${_klankflits_gz_dir}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
    else()
        install(FILES ${_klankflits_packaging}/klankflits.1
            DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endif()

    # Installs into a scratch prefix and checks what lands there. The two
    # validators only run when their tool is installed, and skip otherwise.
    if(KLANKFLITS_BUILD_TESTS)
        set(_klankflits_check ${PROJECT_SOURCE_DIR}/tests/install/check_install.sh)
        set(_klankflits_prefix ${CMAKE_CURRENT_BINARY_DIR}/install-check)
        add_test(NAME install.layout
            COMMAND bash ${_klankflits_check} layout ${_klankflits_prefix}
                    ${CMAKE_BINARY_DIR} $<CONFIG> ${KLANKFLITS_APP_ID} ${PROJECT_VERSION}
                    "${KLANKFLITS_ICON_SIZES}")
        set_tests_properties(install.layout PROPERTIES
            FIXTURES_SETUP klankflits_installed LABELS install
            ENVIRONMENT "CMAKE=${CMAKE_COMMAND}")
        foreach(check desktop_file metainfo)
            add_test(NAME install.${check}
                COMMAND bash ${_klankflits_check} ${check} ${_klankflits_prefix}
                        ${CMAKE_BINARY_DIR} $<CONFIG> ${KLANKFLITS_APP_ID} ${PROJECT_VERSION}
                        "${KLANKFLITS_ICON_SIZES}")
            set_tests_properties(install.${check} PROPERTIES
                FIXTURES_REQUIRED klankflits_installed SKIP_RETURN_CODE 77 LABELS install)
        endforeach()
    endif()
endif()

# The Debian package. scripts/package configures a Release build and runs cpack.
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    set(CPACK_GENERATOR DEB)
endif()
if(CMAKE_SYSTEM_NAME STREQUAL "Linux" AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    # Debian's hardening: a read-only global offset table after start-up.
    target_link_options(klankflits PRIVATE -Wl,-z,relro -Wl,-z,now)
    # A stripped package also drops the compilers' version notes, as dh_strip does.
    install(CODE "
        if(CMAKE_INSTALL_DO_STRIP AND NOT \"${CMAKE_STRIP}\" STREQUAL \"\")
            execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment
                \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/klankflits\"
                COMMAND_ERROR_IS_FATAL ANY)
        endif()")
endif()
set(CPACK_PACKAGE_NAME klankflits)
set(CPACK_PACKAGE_VENDOR "Klankflits developers")
set(CPACK_PACKAGE_CONTACT "Klankflits developers <klankflits@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "flash exercise for reading Dutch syllables quickly")
# One paragraph per list item, each line under 80 columns as Debian wants.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Klankflits is a reading exercise in Dutch. It flashes short syllables, a"
    "consonant cluster followed by a vowel such as blaa or schui, one at a time"
    "in large type, and the reader says each one aloud before it disappears."
    ""
    "The syllables come in series of ten, with a smiling face as a short pause"
    "between series. After every third series the pause is longer and the pace"
    "quickens. The starting pace and the speed-up are typed in before the"
    "exercise, and two buttons make the flashing faster or slower while it runs."
    "The user interface is in Dutch.")
set(CPACK_PACKAGE_CHECKSUM SHA256)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt draws every text as boxes without a font; any of these covers the
# program's texts. The libraries the program links come on top (shlibdeps).
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-dejavu-core | fonts-liberation2 | fonts-noto-core, fonts-sil-andika")
# Qt's own texts (context menus, message box buttons) in Dutch, and Qt's
# Wayland plugin, without which a Wayland desktop runs the program through X.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
