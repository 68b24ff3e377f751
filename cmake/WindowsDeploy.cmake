# Installing the cross-built Windows program does what Qt's windeployqt does on
# Windows (which does not exist when cross-compiling): the program gets the Qt
# DLLs it links, the plugins it loads, the MinGW runtime and Qt's Dutch texts
# beside it, so that the installed folder runs on a Windows machine without Qt.
#
#   klankflits_install_windows_runtime(<target>)
#
# With `cmake --install --strip` the DLLs are stripped too.

# SIL's Andika Bold from Debian's fonts-sil-andika, and its licence.
function(klankflits_find_school_letters)
    find_file(KLANKFLITS_SCHOOL_LETTERS Andika-Bold.ttf
        PATHS /usr/share/fonts/truetype/andika
        NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
        DOC "The school letters' font (Debian: fonts-sil-andika)")
    find_file(KLANKFLITS_SCHOOL_LETTERS_LICENCE copyright
        PATHS /usr/share/doc/fonts-sil-andika
        NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
        DOC "The school letters' licence")
    if(NOT KLANKFLITS_SCHOOL_LETTERS OR NOT KLANKFLITS_SCHOOL_LETTERS_LICENCE)
        message(FATAL_ERROR "Andika-Bold.ttf not found: install Debian's fonts-sil-andika")
    endif()
endfunction()

function(klankflits_install_windows_runtime target)
    # Qt's libraries, and the plugins that windeployqt would choose for a
    # Widgets program that shows a JPEG picture: the windows platform, the
    # native style and the JPEG reader.
    set(qt_libraries Qt6::Core Qt6::Gui Qt6::Widgets)
    set(qt_plugins
        platforms Qt6::QWindowsIntegrationPlugin
        styles Qt6::QWindowsVistaStylePlugin
        imageformats Qt6::QJpegPlugin)
    set(dlls "")
    foreach(library IN LISTS qt_libraries)
        install(FILES $<TARGET_FILE:${library}> DESTINATION .)
        list(APPEND dlls "$<TARGET_FILE_NAME:${library}>")
    endforeach()
    while(qt_plugins)
        list(POP_FRONT qt_plugins folder plugin)
        if(NOT TARGET ${plugin})
            message(FATAL_ERROR "The Qt for Windows in use has no ${plugin}")
        endif()
        install(FILES $<TARGET_FILE:${plugin}> DESTINATION ${folder})
        list(APPEND dlls "${folder}/$<TARGET_FILE_NAME:${plugin}>")
    endwhile()

    # The MinGW runtime that the program and Qt link against.
    foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
        execute_process(
            COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
            OUTPUT_VARIABLE path
            OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
            message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know where ${runtime} is")
        endif()
        install(FILES ${path} DESTINATION .)
        list(APPEND dlls ${runtime})
    endforeach()

    # Qt's own texts in Dutch (message box buttons, context menus). The file is
    # the same on every system, so the build machine's copy of the same Qt
    # version serves. qt.conf makes Qt look for it beside the program.
    find_file(KLANKFLITS_QTBASE_NL qtbase_nl.qm
        PATHS /usr/share/qt6/translations
        NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
        DOC "Qt's Dutch texts to install beside the Windows program")
    if(KLANKFLITS_QTBASE_NL)
        install(FILES ${KLANKFLITS_QTBASE_NL} DESTINATION translations)
    else()
        message(WARNING "qtbase_nl.qm not found (Debian: qt6-translations-l10n); "
                        "the Windows program will show Qt's own texts in English")
    endif()
    # The school letters: the program registers the font for itself at start.
    klankflits_find_school_letters()
    install(FILES ${KLANKFLITS_SCHOOL_LETTERS} ${KLANKFLITS_SCHOOL_LETTERS_LICENCE}
        DESTINATION fonts)

    file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/qt.conf
        CONTENT "[Paths]\nPrefix = .\n")
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/qt.conf DESTINATION .)

    # `cmake --install --strip` strips the program; the DLLs are stripped here.
    if(CMAKE_STRIP)
        string(REPLACE ";" "\" \"" quoted "${dlls}")
        install(CODE "
            if(CMAKE_INSTALL_DO_STRIP)
                foreach(dll \"${quoted}\")
                    execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded
                        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${dll}\"
                        COMMAND_ERROR_IS_FATAL ANY)
                endforeach()
            endif()")
    endif()
endfunction()
