# What `cmake --install` puts on the system, and the Debian package CPack
# makes of it (`make package`).
include(GNUInstallDirs)

install(TARGETS vexel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/vexel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# The icon theme's sizes, from the images drawn for the program.
foreach(entry 16:vexel16 32:vexel 48:vexel48 64:vexel@2x 128:vexel128 256:vexel256)
  string(REPLACE ":" ";" entry ${entry})
  list(GET entry 0 size)
  list(GET entry 1 image)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/${image}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME vexel.png)
endforeach()

# Manual pages are kept compressed; -n leaves the time out, so the package
# does not change when nothing else has.
set(VEXEL_MAN_PAGE ${CMAKE_BINARY_DIR}/vexel.1.gz)
add_custom_command(OUTPUT ${VEXEL_MAN_PAGE}
                   COMMAND gzip -9nc ${CMAKE_CURRENT_LIST_DIR}/vexel.1 > ${VEXEL_MAN_PAGE}
                   DEPENDS ${CMAKE_CURRENT_LIST_DIR}/vexel.1
                   VERBATIM)
add_custom_target(vexel_man_page ALL DEPENDS ${VEXEL_MAN_PAGE})
install(FILES ${VEXEL_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The help page is built into the program; the installed copy is for reading
# without starting it. Its images are the toolbar's under the names the
# resource file gives them by their place ("toolbar/00.png").
install(FILES ${CMAKE_SOURCE_DIR}/resources/help/index.html DESTINATION ${CMAKE_INSTALL_DOCDIR}/help)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/vexel.qrc)
file(STRINGS ${CMAKE_SOURCE_DIR}/resources/vexel.qrc VEXEL_TOOLBAR_ALIASES REGEX "alias=\"toolbar/[0-9]+\\.png\"")
foreach(line ${VEXEL_TOOLBAR_ALIASES})
  string(REGEX MATCH "alias=\"toolbar/([0-9]+\\.png)\">([^<]+)<" _ "${line}")
  install(FILES ${CMAKE_SOURCE_DIR}/resources/${CMAKE_MATCH_2}
          DESTINATION ${CMAKE_INSTALL_DOCDIR}/toolbar RENAME ${CMAKE_MATCH_1})
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vexel)
set(CPACK_PACKAGE_VENDOR "Vexel developers")
set(CPACK_PACKAGE_CONTACT "Vexel developers <vexel@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "binary file editor with a Shift-JIS, JIS, EUC and UTF-16 hex dump")
# Debian wants the long description in lines of a terminal's width.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Vexel shows and edits every file as a hex dump: an address column, the\n"
  "bytes in hexadecimal and the same bytes as characters in Shift-JIS, JIS,\n"
  "EUC or UTF-16. It offers insert and overwrite editing with undo, find and\n"
  "replace, marks, comparison, formatting by template, printing, a data\n"
  "inspector and checksums. The user interface is Japanese.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps names the libraries the program links, with the versions its
# symbols need; the packages it cannot see are named here: the fonts the dump
# is drawn with and the translations of Qt's own dialogs.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, fonts-ipafont-gothic, fonts-ipafont-mincho")
include(CPack)
