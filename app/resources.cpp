#include "app/resources.h"

#ifndef _WIN32
#include "app/embedded_sounds.h"
#include "app/version.h"
#include "platform/sound/output.h"
#include "platform/user/resources.h"
#include "model/sounds.h"

#include <cstring>

namespace resources {

namespace {

void RegisterMenuBar()
{
    user::RegisterMenu(kMenu, {
        user::MenuItem("!&Boss!", kBoss),
        user::MenuPopup("&Game", {
            user::MenuItem("&New Game\tF2", kNewGame),
            user::MenuSeparator(),
            user::MenuItem("&Pause Game\tF3", kPauseGame),
            user::MenuItem("&Tilt\tF12", kTilt),
            user::MenuItem("&Sound\tF4", kSound),
            user::MenuSeparator(),
            user::MenuItem("&Reset players", kResetPlayers),
            user::MenuSeparator(),
            user::MenuItem("E&xit\tAlt+F4", kExit),
        }),
        user::MenuPopup("&Help", {user::MenuItem("&About ...", kAbout)}),
    });
}

void RegisterKeys()
{
    constexpr BYTE key = FVIRTKEY | FNOINVERT;
    constexpr BYTE altCharacter = FALT | FNOINVERT;
    user::RegisterAccelerators(kAccelerators, {
        {altCharacter, '/', kAbout},
        {altCharacter, '?', kAbout},
        {key, VK_ESCAPE, kExit},
        {key, VK_F1, kBoss},
        {key, VK_F2, kNewGame},
        {key, VK_F3, kPauseGame},
        {key, VK_F4, kSound},
        {key, VK_F12, kTilt},
    });
}

void RegisterAboutBox()
{
    user::RegisterDialog(kAboutDialog, {"About Quorvel", {22, 17, 191, 80}, {
        user::DialogIcon(101, {14, 9, 0, 0}),
        user::DialogStatic(QUORVEL_ABOUT_VERSION_LINE, {49, 10, 126, 8}),
        user::DialogStatic(QUORVEL_LICENCE_LINE, {49, 24, 126, 20}),
        user::DialogButton("OK", IDOK, true, {67, 60, 56, 16}),
    }});
}

// The WAVE resources, from the sound files built into the program.
void RegisterSounds()
{
    for (const SoundResource& resource : kSoundResources)
        for (std::size_t i = 0; i < embedded::kSoundFileCount; ++i)
            if (std::strcmp(embedded::kSoundFiles[i].name, resource.name) == 0)
                sound::RegisterWave(resource.id, embedded::kSoundFiles[i].bytes, embedded::kSoundFiles[i].size);
}

}  // namespace

void Register()
{
    RegisterMenuBar();
    RegisterKeys();
    RegisterAboutBox();
    RegisterSounds();
}

}  // namespace resources

#else

namespace resources {
void Register() {}
}  // namespace resources

#endif
