# The Debian package, made by CPack from the install rules: `cpack -G DEB` in the build folder
# writes scarabo_<version>_<architecture>.deb. Its texts come from the version record.
if(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux")
    return()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME scarabo)
set(CPACK_PACKAGE_VENDOR "${SCARABO_COMPANY_NAME}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${SCARABO_SUMMARY}")
# Lines kept under 80 columns, as Debian's package tools show them.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
       "${SCARABO_FILE_DESCRIPTION}."
       "Type a word or a short phrase in English and see it spelled in up to ten"
       "ancient Egyptian hieroglyphs, matched letter by letter against the alphabet"
       "that comes with the program. The row of glyphs can be sent to a word"
       "processor (LibreOffice Writer).")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${SCARABO_COMPANY_NAME} <scarabo@example.com>")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${SCARABO_HOMEPAGE}")
# Library dependencies are read off the executable by dpkg-shlibdeps (dpkg-dev); the export's word
# processor is wanted, not needed: everything else works without it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS libreoffice-writer)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# Debian wants a manual page for every program on PATH, and the copyright and a change log beside
# every package's documentation; the compressed files carry no time stamp, so builds are repeatable.
set(debian_doc ${CMAKE_BINARY_DIR}/debian-doc)
execute_process(COMMAND date --rfc-email --utc --date ${SCARABO_RELEASE_DATE}
                OUTPUT_VARIABLE SCARABO_RELEASE_TIME OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
configure_file(packaging/linux/copyright.in ${debian_doc}/copyright @ONLY)
configure_file(packaging/linux/changelog.in ${debian_doc}/changelog @ONLY)
execute_process(COMMAND gzip --best --no-name --keep --force ${debian_doc}/changelog
                COMMAND_ERROR_IS_FATAL ANY)
# The manual page's file types and glyph sizes are the program's own (scarabo-facts formats), so it
# is finished at build time; the version record goes in now.
configure_file(packaging/linux/scarabo.1.in ${debian_doc}/scarabo.1.formats @ONLY)
add_custom_command(OUTPUT ${debian_doc}/scarabo.1.gz
    COMMAND scarabo-facts formats > ${debian_doc}/formats.cmake
    COMMAND ${CMAKE_COMMAND} -DFACTS=${debian_doc}/formats.cmake -DPAGE=${debian_doc}/scarabo.1.formats
            -DOUTPUT=${debian_doc}/scarabo.1 -P ${PROJECT_SOURCE_DIR}/cmake/ManualPage.cmake
    COMMAND gzip --best --no-name --keep --force ${debian_doc}/scarabo.1
    DEPENDS scarabo-facts ${debian_doc}/scarabo.1.formats ${PROJECT_SOURCE_DIR}/cmake/ManualPage.cmake
    COMMENT "Writing the manual page with the program's file types")
add_custom_target(scarabo_manual_page ALL DEPENDS ${debian_doc}/scarabo.1.gz)
install(FILES ${debian_doc}/copyright ${debian_doc}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME})
install(FILES ${debian_doc}/scarabo.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

include(CPack)
