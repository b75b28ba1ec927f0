# What `cmake --install` puts in place: the game, the fontconfig file it reads from
# <prefix>/share/quorvel (found beside the binary, so an installed copy runs from any
# directory), the desktop entry, the icon in the hicolor theme and the manual page.
include(GNUInstallDirs)

install(TARGETS quorvel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES assets/fonts.conf DESTINATION ${CMAKE_INSTALL_DATADIR}/quorvel)
install(FILES assets/quorvel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES assets/icons/quorvel.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 32 64 128)
  install(FILES assets/icons/quorvel-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME quorvel.png)
endforeach()
install(FILES assets/quorvel.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
