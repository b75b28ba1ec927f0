# The headless host: a virtual clock, injected input, readable pixels. Tests and the
# replay tool link it.
file(GLOB_RECURSE QUORVEL_HEADLESS_SOURCES CONFIGURE_DEPENDS platform/host/headless/*.cpp)
if(QUORVEL_HEADLESS_SOURCES)
  find_package(Threads REQUIRED)
  add_library(quorvel_headless STATIC ${QUORVEL_HEADLESS_SOURCES})
  target_compile_options(quorvel_headless PRIVATE ${QUORVEL_WARNINGS})
  target_link_libraries(quorvel_headless PUBLIC quorvel_game Threads::Threads)
endif()

# The replay tool: its core is a library so that tests can run it on their own programs.
if(TARGET quorvel_headless)
  pkg_check_modules(LIBPNG REQUIRED IMPORTED_TARGET libpng)
  add_library(quorvel_replay STATIC tools/replay/script.cpp tools/replay/replay.cpp tools/replay/png_file.cpp)
  target_compile_options(quorvel_replay PRIVATE ${QUORVEL_WARNINGS})
  target_link_libraries(quorvel_replay PUBLIC quorvel_headless PkgConfig::LIBPNG)
  add_executable(quorvel-replay tools/replay/main.cpp)
  target_compile_options(quorvel-replay PRIVATE ${QUORVEL_WARNINGS})
  target_link_libraries(quorvel-replay PRIVATE quorvel_replay quorvel_game)
endif()

# The game executable: the SDL host's main() hands over to WinMain.
file(GLOB_RECURSE QUORVEL_SDL_SOURCES CONFIGURE_DEPENDS platform/host/sdl/*.cpp)
list(FILTER QUORVEL_SDL_SOURCES EXCLUDE REGEX "/main\\.cpp$")
find_package(SDL2 REQUIRED)
if(NOT TARGET PkgConfig::LIBPNG)
  pkg_check_modules(LIBPNG REQUIRED IMPORTED_TARGET libpng)
endif()
add_library(quorvel_sdl STATIC ${QUORVEL_SDL_SOURCES})
target_compile_options(quorvel_sdl PRIVATE ${QUORVEL_WARNINGS})
target_link_libraries(quorvel_sdl PUBLIC quorvel_game SDL2::SDL2 PkgConfig::LIBPNG)
add_executable(quorvel platform/host/sdl/main.cpp)
target_compile_options(quorvel PRIVATE ${QUORVEL_WARNINGS})
target_link_libraries(quorvel PRIVATE quorvel_sdl quorvel_game)
