# SPDX-License-Identifier: GPL-3.0-or-later
# Installing: one program folder under the prefix (LIBREZI_INSTALL_DIR) holds the program, the data
# builder, the bundled data, the facts and the sample recordings, because the program looks for
# them beside its executable. bin/ gets links to the two commands; the desktop entry, the icon and
# the AppStream data go where the desktop looks for them. CPack makes the Debian package of it.

# The launchers: relative symbolic links from bin/ into the program folder. The program finds its
# folder from the resolved executable, so it starts the same through the link.
file(RELATIVE_PATH librezi_bin_to_program /${CMAKE_INSTALL_BINDIR} /${LIBREZI_INSTALL_DIR})
set(librezi_links ${CMAKE_CURRENT_BINARY_DIR}/packaging/bin)
file(MAKE_DIRECTORY ${librezi_links})
foreach(command librezi librezi-builder)
  file(CREATE_LINK ${librezi_bin_to_program}/${command} ${librezi_links}/${command} SYMBOLIC)
  install(FILES ${librezi_links}/${command} DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()

install(TARGETS librezi DESTINATION ${LIBREZI_INSTALL_DIR})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/librezi.db "${CMAKE_CURRENT_BINARY_DIR}/LIB'REZI.rtf"
        ${CMAKE_CURRENT_SOURCE_DIR}/packaging/librezi.installed
        DESTINATION ${LIBREZI_INSTALL_DIR})
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/packaging/librezi.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/packaging/librezi.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The package's licence and history, where Debian keeps them.
set(librezi_changelog ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.Debian.gz)
add_custom_command(OUTPUT ${librezi_changelog}
                   COMMAND gzip -n -9 -c ${CMAKE_CURRENT_SOURCE_DIR}/packaging/changelog > ${librezi_changelog}
                   DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/packaging/changelog)
add_custom_target(librezi_changelog ALL DEPENDS ${librezi_changelog})
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/packaging/copyright ${librezi_changelog}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/librezi)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/resources/icons/window.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME librezi.svg)

# The Debian package: dependencies on libraries come from the binaries (dpkg-shlibdeps); the
# packages the program loads at run time without linking to them are named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME librezi)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Lib'rezi Drites")
set(CPACK_PACKAGE_CONTACT "Lib'rezi Drites developers <librezi@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "reader of the Quran in Albanian translation")
# The summary is the synopsis line; this is the extended description below it (one string).
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Lib'rezi Drites holds the whole Albanian translation in one window: go to any\n\
surah and verse, browse the thematic index, search every verse, hear verses\n\
recited, copy text and set the font. The librezi-builder command imports a\n\
translation, a thematic classification and reciters' folders into each\n\
user's own copy of the data.")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, fonts-dejavu-core, fonts-hosny-amiri")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
