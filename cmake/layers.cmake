# The layers of the code, bottom to top: each folder may include its own headers and
# those of the folders it names here, and nothing else of ours. The build makes a
# library of each (CMakeLists.txt) and the LayerCheck test reads every include against
# this table (cmake/layer_check.cmake).
#
# Beneath the game, side by side: our Win32 (platform/) and the network (net/). The game
# reaches the system only through platform/win32.h, and the network only from online/.

set(QUORVEL_LAYERS
  platform/gdi platform/user platform/sound platform/xinput platform/profile
  platform/host/headless platform/host/sdl
  net
  core model gfx input ui play online screens app)

# What each layer may include besides itself. "platform/win32.h" alone is the game's door
# to the system; a folder stands for every header in it.
set(QUORVEL_LAYER_platform/gdi     platform/win32_types.h)
set(QUORVEL_LAYER_platform/user    platform/win32_types.h platform/gdi)
set(QUORVEL_LAYER_platform/sound   platform/win32_types.h)
set(QUORVEL_LAYER_platform/xinput  platform/win32_types.h)
set(QUORVEL_LAYER_platform/profile platform/win32_types.h)
set(QUORVEL_LAYER_platform/host/headless platform/win32.h platform/win32_types.h platform/gdi platform/user platform/sound platform/xinput)
set(QUORVEL_LAYER_platform/host/sdl      platform/win32.h platform/win32_types.h platform/gdi platform/user platform/sound platform/xinput)
set(QUORVEL_LAYER_net)
set(QUORVEL_LAYER_core    platform/win32.h)
set(QUORVEL_LAYER_model   platform/win32.h core)
set(QUORVEL_LAYER_gfx     platform/win32.h core model)
set(QUORVEL_LAYER_input   platform/win32.h core model)
set(QUORVEL_LAYER_ui      platform/win32.h core model gfx input)
set(QUORVEL_LAYER_play    platform/win32.h core model gfx input ui)
set(QUORVEL_LAYER_online  platform/win32.h core model gfx input ui play net)
set(QUORVEL_LAYER_screens platform/win32.h core model gfx input ui play online)
# The program wires the hosts, the sounds and the network links to the game.
set(QUORVEL_LAYER_app     platform core model gfx input ui play online screens net)
