# Installed layout. The program looks for Alphabet.dat, Images/ and Help/ in the folder of its
# executable, so all of them go into one folder of their own; a relative link in bin/ puts the
# program on PATH (the program resolves its real location, so it finds its folder through the link).
# On Linux the launcher, the AppStream record and the themed icons go under the application id.
include(GNUInstallDirs)

# The desktop identity, beside the version record and on its web host.
set(SCARABO_HOMEPAGE https://${SCARABO_WEB_HOST}/main)
set(SCARABO_SCREENSHOT_URL https://${SCARABO_WEB_HOST}/screenshot.png)
set(SCARABO_PROJECT_LICENSE LicenseRef-proprietary)
set(SCARABO_RELEASE_DATE 2026-12-07)
string(REGEX REPLACE "\\.$" "" SCARABO_SUMMARY "${SCARABO_COMMENTS}")

set(SCARABO_INSTALL_APPDIR lib/scarabo)

install(TARGETS scarabo RUNTIME DESTINATION ${SCARABO_INSTALL_APPDIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/Alphabet.dat ${PROJECT_SOURCE_DIR}/data/Sounds.dat DESTINATION ${SCARABO_INSTALL_APPDIR})
if(SCARABO_HIEROGLYPH_FONT)
    install(FILES ${SCARABO_HIEROGLYPH_FONT} DESTINATION ${SCARABO_INSTALL_APPDIR}/fonts)
endif()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/Images ${PROJECT_SOURCE_DIR}/data/Help
        DESTINATION ${SCARABO_INSTALL_APPDIR})

if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    # install(FILES) keeps a link a link, so the launcher is made here and installed as it is.
    set(launcher ${CMAKE_BINARY_DIR}/launcher/scarabo)
    file(RELATIVE_PATH launcher_target /${CMAKE_INSTALL_BINDIR} /${SCARABO_INSTALL_APPDIR}/scarabo)
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/launcher)
    file(CREATE_LINK ${launcher_target} ${launcher} SYMBOLIC)
    install(FILES ${launcher} DESTINATION ${CMAKE_INSTALL_BINDIR})

    set(SCARABO_DESKTOP_DIR ${CMAKE_BINARY_DIR}/desktop)
    set(SCARABO_DESKTOP_FILE ${SCARABO_DESKTOP_DIR}/${SCARABO_APP_ID}.desktop)
    set(SCARABO_METAINFO_FILE ${SCARABO_DESKTOP_DIR}/${SCARABO_APP_ID}.metainfo.xml)
    configure_file(packaging/linux/scarabo.desktop.in ${SCARABO_DESKTOP_FILE} @ONLY)
    configure_file(packaging/linux/scarabo.metainfo.xml.in ${SCARABO_METAINFO_FILE} @ONLY)
    install(FILES ${SCARABO_DESKTOP_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${SCARABO_METAINFO_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

    # Every size the icon script makes, renamed after the application id.
    file(GLOB icon_size_dirs RELATIVE ${PROJECT_SOURCE_DIR}/data/icons/hicolor
         ${PROJECT_SOURCE_DIR}/data/icons/hicolor/*)
    foreach(size_dir IN LISTS icon_size_dirs)
        install(FILES ${PROJECT_SOURCE_DIR}/data/icons/hicolor/${size_dir}/apps/scarabo.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size_dir}/apps
                RENAME ${SCARABO_APP_ID}.png)
    endforeach()
endif()
