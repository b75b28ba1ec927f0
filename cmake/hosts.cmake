# The hosts know only our Win32 (platform/); the program that links one supplies
# WinMain. The headless host: a virtual clock, injected input, readable pixels. Tests and
# the replay tool link it.
find_package(Threads REQUIRED)
quorvel_library(quorvel_headless platform/host/headless quorvel_win32 Threads::Threads)

# The SDL host: the real window, sound and gamepads.
find_package(SDL2 REQUIRED)
pkg_check_modules(LIBPNG REQUIRED IMPORTED_TARGET libpng)
quorvel_library(quorvel_sdl platform/host/sdl quorvel_win32 SDL2::SDL2 PkgConfig::LIBPNG)
# With Xlib the host sleeps on the X connection itself between ticks (display_wait.h) and
# presents through an image of its own (x11_presenter.h).
pkg_check_modules(X11 IMPORTED_TARGET x11 xext)
if(X11_FOUND)
  target_link_libraries(quorvel_sdl PUBLIC PkgConfig::X11)
  target_compile_definitions(quorvel_sdl PRIVATE QUORVEL_X11)
endif()

# The replay tool: its core is a library so that tests can run it on their own programs.
add_library(quorvel_replay STATIC tools/replay/script.cpp tools/replay/replay.cpp tools/replay/png_file.cpp)
target_compile_options(quorvel_replay PRIVATE ${QUORVEL_WARNINGS})
target_link_libraries(quorvel_replay PUBLIC quorvel_headless quorvel_app quorvel_enet PkgConfig::LIBPNG)
add_executable(quorvel-replay tools/replay/main.cpp)
target_compile_options(quorvel-replay PRIVATE ${QUORVEL_WARNINGS})
target_link_libraries(quorvel-replay PRIVATE quorvel_replay)

# The game: main() reads the command line, wires the SDL host, sound, gamepads and ENet,
# and hands over to WinMain.
add_executable(quorvel app/main.cpp)
target_compile_options(quorvel PRIVATE ${QUORVEL_WARNINGS})
target_link_libraries(quorvel PRIVATE quorvel_sdl quorvel_app quorvel_enet)
