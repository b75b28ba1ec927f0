# The headless host: a virtual clock, injected input, readable pixels. Tests and the
# replay tool link it.
file(GLOB_RECURSE QUORVEL_HEADLESS_SOURCES CONFIGURE_DEPENDS platform/host/headless/*.cpp)
if(QUORVEL_HEADLESS_SOURCES)
  add_library(quorvel_headless STATIC ${QUORVEL_HEADLESS_SOURCES})
  target_compile_options(quorvel_headless PRIVATE ${QUORVEL_WARNINGS})
  target_link_libraries(quorvel_headless PUBLIC quorvel_game)
endif()

# The game executable. Until the SDL host exists it is a placeholder.
file(GLOB_RECURSE QUORVEL_SDL_SOURCES CONFIGURE_DEPENDS platform/host/sdl/*.cpp)
if(QUORVEL_SDL_SOURCES)
  find_package(SDL2 REQUIRED)
  add_library(quorvel_sdl STATIC ${QUORVEL_SDL_SOURCES})
  target_compile_options(quorvel_sdl PRIVATE ${QUORVEL_WARNINGS})
  target_link_libraries(quorvel_sdl PUBLIC quorvel_game SDL2::SDL2)
else()
  add_executable(quorvel tools/placeholder/main.cpp)
  target_compile_options(quorvel PRIVATE ${QUORVEL_WARNINGS})
endif()
