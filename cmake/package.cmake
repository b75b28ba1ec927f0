# Releases with cpack, from a release build (see the README):
#   on Linux   a Debian package  quorvel_<version>_amd64.deb
#   on Windows a zip             quorvel-<version>-windows-x86_64.zip (the MinGW build)
set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VENDOR "The Quorvel developers")
set(CPACK_PACKAGE_CONTACT "The Quorvel developers <quorvel@example.org>")
set(CPACK_PACKAGE_VERSION ${QUORVEL_PACKAGE_VERSION})
set(CPACK_PACKAGE_HOMEPAGE_URL ${QUORVEL_HOMEPAGE})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade game of paddles, bricks and one ball for up to four players")
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "A real-time arcade game in one window: a square playfield with a paddle on"
  "each of its four sides, a wall of 8 by 8 bricks in the middle and one ball."
  "Up to four players, on one computer or online, each steer a paddle with the"
  "mouse, the keyboard or a gamepad, or let the computer play.")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME quorvel-${CPACK_PACKAGE_VERSION}-windows-x86_64)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
  install(TARGETS quorvel RUNTIME DESTINATION .)
  install(FILES README.md LICENSE CHANGELOG.md DESTINATION .)
  foreach(licence ${QUORVEL_WINDOWS_LICENCES})
    quorvel_licence_name(${licence} name)
    install(FILES ${licence} DESTINATION . RENAME ${name})
  endforeach()
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION games)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # The free fonts that assets/fonts.conf maps the game's faces to.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fontconfig, fonts-lobster, fonts-roboto-unhinted, fonts-liberation2, fonts-dejavu-core")

  install(FILES assets/changelog assets/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
  # Debian wants the manual page and the changelog compressed.
  set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/deb_compress.cmake)
endif()

include(CPack)
