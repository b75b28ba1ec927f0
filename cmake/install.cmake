# What `cmake --install` puts in place: the game, the fontconfig file it reads from
# <prefix>/share/quorvel (found beside the binary, so an installed copy runs from any
# directory), the desktop entry and the software centres' metainfo, the icon in the
# hicolor theme and the manual page.
include(GNUInstallDirs)
include(${CMAKE_CURRENT_LIST_DIR}/release_notes.cmake)

# The metainfo carries the releases of CHANGELOG.md.
set(QUORVEL_APP_ID io.github.quorvel.Quorvel)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/CHANGELOG.md)
quorvel_read_changelog(${PROJECT_SOURCE_DIR}/CHANGELOG.md QUORVEL_RELEASES)
set(QUORVEL_METAINFO ${QUORVEL_GENERATED_DIR}/${QUORVEL_APP_ID}.metainfo.xml)
configure_file(assets/${QUORVEL_APP_ID}.metainfo.xml.in ${QUORVEL_METAINFO} @ONLY)
# The manual page names the version and the licence.
configure_file(assets/quorvel.6.in ${QUORVEL_GENERATED_DIR}/quorvel.6 @ONLY)

install(TARGETS quorvel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES assets/fonts.conf DESTINATION ${CMAKE_INSTALL_DATADIR}/quorvel)
install(FILES assets/${QUORVEL_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${QUORVEL_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES assets/icons/quorvel.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 32 64 128)
  install(FILES assets/icons/quorvel-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME quorvel.png)
endforeach()
install(FILES ${QUORVEL_GENERATED_DIR}/quorvel.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
