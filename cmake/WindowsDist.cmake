# Packs an installed Windows build into dist/: a zip that runs from any folder
# and an NSIS installer. Run as a script by the dist target of the Windows build:
#
#   cmake -DSTAGE=<installed folder> -DDIST=<dist folder> -DVERSION=<x.y.z>
#         -DSOURCE_DIR=<source tree> -DMAKENSIS=<makensis> -P WindowsDist.cmake
foreach(var STAGE DIST VERSION SOURCE_DIR MAKENSIS)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "WindowsDist.cmake: ${var} is not set")
    endif()
endforeach()

set(name klankflits-${VERSION}-windows-x64)
set(zip ${DIST}/${name}.zip)
set(setup ${DIST}/klankflits-${VERSION}-setup.exe)
set(work ${DIST}/.work)
file(REMOVE_RECURSE ${work})
file(REMOVE ${zip} ${setup})
file(MAKE_DIRECTORY ${work})

if(NOT EXISTS ${STAGE}/klankflits.exe)
    message(FATAL_ERROR "WindowsDist.cmake: ${STAGE} holds no klankflits.exe")
endif()
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${STAGE} ${STAGE}/*)
list(SORT files)

# The zip: one folder named after the version, with the program at its top.
file(COPY ${STAGE}/ DESTINATION ${work}/${name})
execute_process(
    COMMAND ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip ${name}
    WORKING_DIRECTORY ${work}
    COMMAND_ERROR_IS_FATAL ANY)

# The installer's file lists, so that the uninstaller removes exactly what the
# installer put there.
set(install_lines "")
set(uninstall_lines "")
set(dirs "")
set(last_dir "-")
foreach(file IN LISTS files)
    get_filename_component(dir ${file} DIRECTORY)
    string(REPLACE "/" "\\" windows_file "${file}")
    if(NOT dir STREQUAL last_dir)
        if(dir STREQUAL "")
            string(APPEND install_lines "    SetOutPath \"$INSTDIR\"\n")
        else()
            string(REPLACE "/" "\\" windows_dir "${dir}")
            string(APPEND install_lines "    SetOutPath \"$INSTDIR\\${windows_dir}\"\n")
            list(APPEND dirs ${dir})
        endif()
        set(last_dir ${dir})
    endif()
    string(APPEND install_lines "    File \"${STAGE}/${file}\"\n")
    string(APPEND uninstall_lines "    Delete \"$INSTDIR\\${windows_file}\"\n")
endforeach()
# Deepest folders first.
list(REMOVE_DUPLICATES dirs)
list(SORT dirs ORDER DESCENDING)
foreach(dir IN LISTS dirs)
    string(REPLACE "/" "\\" windows_dir "${dir}")
    string(APPEND uninstall_lines "    RMDir \"$INSTDIR\\${windows_dir}\"\n")
endforeach()
string(APPEND install_lines "    SetOutPath \"$INSTDIR\"\n")
file(WRITE ${work}/files.nsh
    "!macro InstallFiles\n${install_lines}!macroend\n"
    "!macro UninstallFiles\n${uninstall_lines}!macroend\n")

execute_process(
    COMMAND ${MAKENSIS} -V2 -NOCD
        -DVERSION=${VERSION}
        -DFILES=${work}/files.nsh
        -DLICENSE=${SOURCE_DIR}/LICENSE
        -DICON=${SOURCE_DIR}/packaging/windows/klankflits.ico
        -DOUTFILE=${setup}
        ${SOURCE_DIR}/packaging/windows/klankflits.nsi
    COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE_RECURSE ${work})

foreach(artefact ${zip} ${setup})
    file(SIZE ${artefact} size)
    math(EXPR kib "${size} / 1024")
    message(STATUS "${artefact}: ${kib} KiB")
endforeach()
