# The program's one version, from project(), and what goes with it: the version players
# see (--version and the About box say "0.5b"), the version the packages and the
# software-centre listing carry (0.5.0), the copyright and licence, and where the
# project lives. app/version.h.in passes them to the code and the resource script.
set(QUORVEL_VERSION_TEXT "${PROJECT_VERSION}b")
set(QUORVEL_PACKAGE_VERSION "${PROJECT_VERSION}.0")
set(QUORVEL_COPYRIGHT "Copyright (c) 2026 the Quorvel developers")
set(QUORVEL_LICENCE_LINE "${QUORVEL_COPYRIGHT}. MIT licence.")
set(QUORVEL_HOMEPAGE "https://github.com/quorvel/quorvel")
# The README's pictures as this release has them, for software centres.
set(QUORVEL_PICTURES "https://raw.githubusercontent.com/quorvel/quorvel/v${QUORVEL_PACKAGE_VERSION}/docs")
# The licences of the libraries vendored for the Windows program (third_party/<name>/),
# shipped beside it as LICENSE-<name>.
file(GLOB QUORVEL_WINDOWS_LICENCES RELATIVE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/third_party/*/LICENSE)
function(quorvel_licence_name licence out)
  get_filename_component(library ${licence} DIRECTORY)
  get_filename_component(library ${library} NAME)
  set(${out} LICENSE-${library} PARENT_SCOPE)
endfunction()
set(QUORVEL_INSTALLER_NAME "quorvel-${QUORVEL_PACKAGE_VERSION}-windows-x86_64-setup.exe")

set(QUORVEL_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/../app/version.h.in ${QUORVEL_GENERATED_DIR}/app/version.h @ONLY)
