# Packs an installed Windows build into dist/: a zip that runs from any folder,
# an NSIS installer and, where wixl is there, an MSI. Run as a script by the
# dist target of the Windows build:
#
#   cmake -DSTAGE=<installed folder> -DDIST=<dist folder> -DVERSION=<x.y.z>
#         -DSOURCE_DIR=<source tree> -DMAKENSIS=<makensis>
#         [-DWIXL=<wixl> -DMSIBUILD=<msibuild>] -P WindowsDist.cmake
#
# With -DMSI_ONLY=1 (and no MAKENSIS) it makes only the MSI: scripts/windows
# makes one of a higher version that way to try an upgrade.
set(required STAGE DIST VERSION SOURCE_DIR)
if(MSI_ONLY)
    list(APPEND required WIXL MSIBUILD)
else()
    list(APPEND required MAKENSIS)
endif()
foreach(var IN LISTS required)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "WindowsDist.cmake: ${var} is not set")
    endif()
endforeach()

set(name klankflits-${VERSION}-windows-x64)
set(zip ${DIST}/${name}.zip)
set(setup ${DIST}/klankflits-${VERSION}-setup.exe)
set(msi ${DIST}/klankflits-${VERSION}-x64.msi)
set(work ${DIST}/.work)
file(REMOVE_RECURSE ${work})
file(REMOVE ${zip} ${setup} ${msi})
file(MAKE_DIRECTORY ${work})

if(NOT EXISTS ${STAGE}/klankflits.exe)
    message(FATAL_ERROR "WindowsDist.cmake: ${STAGE} holds no klankflits.exe")
endif()
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${STAGE} ${STAGE}/*)
list(SORT files)

set(artefacts "")
if(NOT MSI_ONLY)
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
    list(APPEND artefacts ${zip} ${setup})
endif()

# The MSI, from packaging/windows/klankflits.wxs and a second source written
# here with the folder's files. Every identifier is derived from a name, so a
# rebuild gives the same codes: the product code and the package code from the
# version, a component's code from the file's place in the folder (the same in
# every version, as Windows Installer wants of a component).
if(DEFINED WIXL AND DEFINED MSIBUILD)
    set(wxs ${SOURCE_DIR}/packaging/windows/klankflits.wxs)
    file(STRINGS ${wxs} upgrade_line REGEX "UpgradeCode=\"")
    string(REGEX MATCH "[0-9A-F]+-[0-9A-F]+-[0-9A-F]+-[0-9A-F]+-[0-9A-F]+" upgrade_code
        "${upgrade_line}")
    if(NOT upgrade_code)
        message(FATAL_ERROR "WindowsDist.cmake: no UpgradeCode in ${wxs}")
    endif()
    string(UUID product_code NAMESPACE ${upgrade_code} NAME "product ${VERSION}" TYPE SHA1 UPPER)
    string(UUID package_code NAMESPACE ${upgrade_code} NAME "package ${VERSION}" TYPE SHA1 UPPER)

    # wixl takes no absolute paths to files; it runs in the work folder, with
    # the paths from there.
    file(RELATIVE_PATH stage_from_work ${work} ${STAGE})
    file(RELATIVE_PATH icon_from_work ${work} ${SOURCE_DIR}/packaging/windows/klankflits.ico)
    set(components "")
    set(refs "")
    set(open_dir "")
    foreach(file IN LISTS files)
        get_filename_component(dir ${file} DIRECTORY)
        get_filename_component(name ${file} NAME)
        if(NOT "${dir}" STREQUAL "${open_dir}")
            # The stage has one level of folders (platforms/, styles/, ...),
            # each one's files together in the sorted list.
            if(dir MATCHES "/")
                message(FATAL_ERROR "WindowsDist.cmake: ${file} is too deep for the MSI's folders")
            endif()
            if(NOT "${open_dir}" STREQUAL "")
                string(APPEND components "      </Directory>\n")
            endif()
            if(NOT "${dir}" STREQUAL "")
                string(MD5 dir_id "${dir}")
                string(APPEND components "      <Directory Id=\"dir_${dir_id}\" Name=\"${dir}\">\n")
            endif()
            set(open_dir "${dir}")
        endif()
        string(MD5 id "${file}")
        string(UUID guid NAMESPACE ${upgrade_code} NAME "component ${file}" TYPE SHA1 UPPER)
        string(APPEND components
            "        <Component Id=\"cmp_${id}\" Guid=\"${guid}\" Win64=\"yes\">\n"
            "          <File Id=\"fil_${id}\" Name=\"${name}\" Source=\"${stage_from_work}/${file}\" KeyPath=\"yes\"/>\n"
            "        </Component>\n")
        string(APPEND refs "      <ComponentRef Id=\"cmp_${id}\"/>\n")
    endforeach()
    if(NOT "${open_dir}" STREQUAL "")
        string(APPEND components "      </Directory>\n")
    endif()
    file(WRITE ${work}/files.wxs
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        "<Wix xmlns=\"http://schemas.microsoft.com/wix/2006/wi\">\n"
        "  <Fragment>\n    <DirectoryRef Id=\"INSTALLDIR\">\n${components}    </DirectoryRef>\n"
        "    <ComponentGroup Id=\"ProgramFiles\">\n${refs}    </ComponentGroup>\n"
        "  </Fragment>\n</Wix>\n")

    execute_process(
        COMMAND ${WIXL} --arch x64 -o ${msi}
            -D Version=${VERSION} -D ProductCode=${product_code}
            -D Icon=${icon_from_work}
            ${wxs} files.wxs
        WORKING_DIRECTORY ${work}
        COMMAND_ERROR_IS_FATAL ANY)
    # wixl takes no package code and writes "x64;1033" whatever the language:
    # the summary information is written again with both.
    execute_process(
        COMMAND ${MSIBUILD} ${msi} -s "Klankflits ${VERSION}" "Klankflits developers"
            "x64;1043" "{${package_code}}"
        COMMAND_ERROR_IS_FATAL ANY)
    list(APPEND artefacts ${msi})
    message(STATUS "${msi}: product code {${product_code}}, upgrade code {${upgrade_code}}")
endif()
file(REMOVE_RECURSE ${work})

foreach(artefact IN LISTS artefacts)
    file(SIZE ${artefact} size)
    math(EXPR kib "${size} / 1024")
    message(STATUS "${artefact}: ${kib} KiB")
endforeach()
