# The sound effects: tools/sfx makes them (quorvel-sfx writes assets/sounds/*.wav again).
# On Windows they are WAVE resources of app/quorvel.rc; here the WAV files are built into
# the game as a generated source of byte arrays.
file(GLOB QUORVEL_SOUND_FILES ${CMAKE_CURRENT_SOURCE_DIR}/assets/sounds/*.wav)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${QUORVEL_SOUND_FILES})
set(QUORVEL_SOUND_SOURCE ${CMAKE_CURRENT_BINARY_DIR}/generated/embedded_sounds.cpp)

set(arrays "")
set(entries "")
foreach(wav ${QUORVEL_SOUND_FILES})
  get_filename_component(name ${wav} NAME_WE)
  file(READ ${wav} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND arrays "const unsigned char k_${name}[] = {${bytes}};\n")
  string(APPEND entries "    {\"${name}\", k_${name}, sizeof k_${name}},\n")
endforeach()
file(CONFIGURE OUTPUT ${QUORVEL_SOUND_SOURCE} CONTENT
"// Made by cmake/sounds.cmake from assets/sounds; do not edit.
#include \"app/embedded_sounds.h\"

namespace embedded {
namespace {
${arrays}}  // namespace

const File kSoundFiles[] = {
${entries}};
const std::size_t kSoundFileCount = sizeof kSoundFiles / sizeof kSoundFiles[0];

}  // namespace embedded
" @ONLY)
target_sources(quorvel_app PRIVATE ${QUORVEL_SOUND_SOURCE})

add_library(quorvel_sfx STATIC tools/sfx/effects.cpp)
target_compile_options(quorvel_sfx PRIVATE ${QUORVEL_WARNINGS})
target_link_libraries(quorvel_sfx PUBLIC quorvel_sound)
add_executable(quorvel-sfx tools/sfx/main.cpp)
target_compile_options(quorvel-sfx PRIVATE ${QUORVEL_WARNINGS})
target_link_libraries(quorvel-sfx PRIVATE quorvel_sfx)
