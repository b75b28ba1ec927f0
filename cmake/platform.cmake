# Our Win32, for systems without it: a library per facility folder of platform/, each
# linking only the facilities below it (user draws with gdi), and quorvel_win32, the
# whole of it as the game sees it through platform/win32.h. The hosts are libraries of
# their own (cmake/hosts.cmake).
find_package(PkgConfig REQUIRED)
pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)

quorvel_library(quorvel_gdi     platform/gdi     PkgConfig::FREETYPE PkgConfig::FONTCONFIG m)
quorvel_library(quorvel_user    platform/user    quorvel_gdi)
quorvel_library(quorvel_sound   platform/sound)
quorvel_library(quorvel_xinput  platform/xinput)
quorvel_library(quorvel_profile platform/profile)
target_compile_definitions(quorvel_gdi PUBLIC QUORVEL_ASSET_DIR="${CMAKE_CURRENT_SOURCE_DIR}/assets")

add_library(quorvel_win32 INTERFACE)
target_link_libraries(quorvel_win32 INTERFACE quorvel_gdi quorvel_user quorvel_sound quorvel_xinput quorvel_profile)
