// Sound: WAV files decoded safely, several sounds mixed at once, the effects the game
// ships being the ones its maker makes, PlaySound through an output, and a machine
// without an audio device.

#include "app/embedded_sounds.h"
#include "app/resources.h"
#include "platform/host/sdl/sdl_audio.h"
#include "platform/sound/mixer.h"
#include "platform/sound/output.h"
#include "platform/win32.h"
#include "model/sounds.h"
#include "support/scratch.h"
#include "tools/sfx/effects.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

sound::Wave Ramp(int rate, int count, std::int16_t step)
{
    sound::Wave wave{rate, {}};
    for (int i = 0; i < count; ++i) wave.samples.push_back(static_cast<std::int16_t>(step * (i + 1)));
    return wave;
}

TEST(Wave, DecodesWhatItEncodesAndNothingThatIsCutShortOrForeign)
{
    const sound::Wave wave = Ramp(22050, 100, 300);
    const std::vector<unsigned char> bytes = sound::EncodeWave(wave);
    const std::optional<sound::Wave> back = sound::DecodeWave(bytes.data(), bytes.size());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->rate, 22050);
    EXPECT_EQ(back->samples, wave.samples);

    // Every cut through the header is refused; a cut through the samples is refused too,
    // since the data chunk then claims more than there is.
    for (std::size_t size = 0; size < bytes.size(); ++size)
        EXPECT_FALSE(sound::DecodeWave(bytes.data(), size)) << size;

    std::vector<unsigned char> compressed = bytes;
    compressed[20] = 2;  // ADPCM
    EXPECT_FALSE(sound::DecodeWave(compressed.data(), compressed.size()));
    std::vector<unsigned char> huge = bytes;
    huge[40] = huge[41] = huge[42] = huge[43] = 0xFF;  // a data chunk of 4 GB
    EXPECT_FALSE(sound::DecodeWave(huge.data(), huge.size()));
    const std::string junk(200, '\xA5');
    EXPECT_FALSE(sound::DecodeWave(reinterpret_cast<const unsigned char*>(junk.data()), junk.size()));
}

TEST(Wave, EightBitStereoBecomesOneChannelOfSixteenBits)
{
    // RIFF header, fmt: PCM, 2 channels, 8000 Hz, 16000 bytes/s, align 2, 8 bits.
    const unsigned char bytes[] = {'R', 'I', 'F', 'F', 40, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0,
                                   1, 0, 2, 0, 0x40, 0x1F, 0, 0, 0x80, 0x3E, 0, 0, 2, 0, 8, 0, 'd', 'a', 't', 'a', 4,
                                   0, 0, 0, 128, 128, 255, 1};
    const std::optional<sound::Wave> wave = sound::DecodeWave(bytes, sizeof bytes);
    ASSERT_TRUE(wave);
    EXPECT_EQ(wave->rate, 8000);
    EXPECT_EQ(wave->samples, (std::vector<std::int16_t>{0, 0}));
}

TEST(Mixer, SoundsPlayTogetherClippedAndTheOldestMakesWayWhenAllVoicesPlay)
{
    sound::Mixer mixer(1000);
    const sound::Wave a = Ramp(1000, 4, 1000), b = Ramp(1000, 2, 10), loud{1000, {30000, -30000}};
    mixer.Start(a);
    mixer.Start(b);
    std::int16_t out[6];
    mixer.Mix(out, 6);
    EXPECT_EQ(std::vector<std::int16_t>(out, out + 6), (std::vector<std::int16_t>{1010, 2020, 3000, 4000, 0, 0}));
    EXPECT_EQ(mixer.Playing(), 0u) << "finished sounds free their voices";

    for (int i = 0; i < 4; ++i) mixer.Start(loud);
    mixer.Mix(out, 1);
    EXPECT_EQ(out[0], 32767) << "four sounds at once, clipped";
    mixer.Mix(out, 1);
    EXPECT_EQ(out[0], -32768);

    sound::Mixer full(1000);
    std::vector<sound::Wave> waves;
    for (std::size_t i = 0; i <= sound::Mixer::kVoices; ++i) waves.push_back(Ramp(1000, 2, static_cast<std::int16_t>(1 << i)));
    for (const sound::Wave& wave : waves) full.Start(wave);
    EXPECT_EQ(full.Playing(), sound::Mixer::kVoices);
    full.Mix(out, 1);
    EXPECT_EQ(out[0], (1 << (sound::Mixer::kVoices + 1)) - 2) << "the first sound made way for the last";
    full.StopAll();
    full.Mix(out, 1);
    EXPECT_EQ(out[0], 0);
}

TEST(Mixer, AWaveOfAnotherRatePlaysForItsOwnLength)
{
    sound::Mixer mixer(22050);
    const sound::Wave half = Ramp(11025, 100, 1);
    mixer.Start(half);
    std::vector<std::int16_t> out(400);
    mixer.Mix(out.data(), out.size());
    const auto last = std::find_if(out.rbegin(), out.rend(), [](std::int16_t s) { return s != 0; });
    EXPECT_EQ(out.rend() - last, 200) << "100 samples at half the rate last 200 device samples";
    EXPECT_EQ(out[0], 1);
    EXPECT_EQ(out[1], 1);
    EXPECT_EQ(out[2], 2);
}

// The shipped WAV files are exactly what tools/sfx makes, each game sound has one, and
// each decodes into a short sound with room left for mixing.
TEST(Effects, TheShippedFilesAreTheOnesTheMakerMakes)
{
    for (const std::string& name : sfx::EffectNames()) {
        SCOPED_TRACE(name);
        const std::vector<unsigned char> made = sound::EncodeWave(sfx::MakeEffect(name));
        const std::string file = ReadFile(std::string(QUORVEL_SOUNDS_DIR) + "/" + name + ".wav");
        EXPECT_TRUE(file.size() == made.size() && std::memcmp(file.data(), made.data(), made.size()) == 0)
            << "run quorvel-sfx assets/sounds";
    }
    EXPECT_EQ(embedded::kSoundFileCount, sfx::EffectNames().size());
    resources::Register();
    for (const SoundResource& resource : kSoundResources) {
        SCOPED_TRACE(resource.name);
        const sound::Wave* wave = sound::FindWave(resource.id);
        ASSERT_NE(wave, nullptr);
        EXPECT_GT(wave->samples.size(), 100u);
        EXPECT_LT(wave->samples.size(), static_cast<std::size_t>(wave->rate)) << "shorter than a second";
        const auto peak = std::max_element(wave->samples.begin(), wave->samples.end(),
                                           [](std::int16_t a, std::int16_t b) { return std::abs(a) < std::abs(b); });
        EXPECT_LT(std::abs(*peak), 20000) << "quiet enough to mix a few";
    }
    EXPECT_EQ(sfx::MakeEffect("no such").samples.size(), 0u);
}

// The Windows program takes its WAVE resources from app/quorvel.rc: the same ids and files.
TEST(Effects, TheWindowsResourceScriptNamesEverySoundUnderItsId)
{
    const std::string script = ReadFile(std::string(QUORVEL_SOUNDS_DIR) + "/../../app/quorvel.rc");
    for (const SoundResource& resource : kSoundResources) {
        const std::string line =
            std::to_string(resource.id) + " WAVE \"../assets/sounds/" + resource.name + ".wav\"\n";
        EXPECT_NE(script.find(line), std::string::npos) << line;
    }
}

class Recorder : public sound::Output {
public:
    void Play(WORD id, const sound::Wave&) override { played.push_back(id); }
    void StopAll() override { ++stops; }
    std::vector<WORD> played;
    int stops = 0;
};

TEST(Playing, PlaySoundStartsRegisteredResourcesThroughTheOutputAndStopsThemAll)
{
    resources::Register();
    Recorder output;
    sound::InstallOutput(&output);
    const DWORD flags = SND_RESOURCE | SND_ASYNC | SND_NODEFAULT;
    EXPECT_TRUE(PlaySound(MAKEINTRESOURCE(SoundBrick), nullptr, flags));
    EXPECT_FALSE(PlaySound(MAKEINTRESOURCE(999), nullptr, flags)) << "no such resource";
    EXPECT_FALSE(PlaySound("brick", nullptr, flags)) << "only integer ids";
    EXPECT_FALSE(PlaySound(MAKEINTRESOURCE(SoundBrick), nullptr, SND_ASYNC)) << "files are not played";
    EXPECT_TRUE(PlaySound(nullptr, nullptr, 0));
    EXPECT_EQ(output.played, std::vector<WORD>{SoundBrick});
    EXPECT_EQ(output.stops, 1);
    sound::InstallOutput(nullptr);
    EXPECT_FALSE(PlaySound(MAKEINTRESOURCE(SoundBrick), nullptr, flags)) << "without an output nothing plays";
}

// An audio driver that does not exist stands for a machine without sound: the game is
// told once and plays on silently. SDL's dummy driver opens like a real device.
TEST(SdlAudio, WithoutADeviceTheGameIsToldOnceAndPlaysOnSilently)
{
    resources::Register();
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    ::testing::internal::CaptureStderr();
    {
        sdlhost::SdlAudio audio;
        EXPECT_FALSE(audio.Ready());
        audio.Play(SoundBrick, *sound::FindWave(SoundBrick));
        audio.StopAll();
    }
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("plays silently"), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);

    setenv("SDL_AUDIODRIVER", "dummy", 1);
    sdlhost::SdlAudio audio;
    ASSERT_TRUE(audio.Ready());
    sound::InstallOutput(&audio);
    for (const SoundResource& resource : kSoundResources)
        EXPECT_TRUE(PlaySound(MAKEINTRESOURCE(resource.id), nullptr, SND_RESOURCE | SND_ASYNC));
    EXPECT_TRUE(PlaySound(nullptr, nullptr, 0));
    sound::InstallOutput(nullptr);
    unsetenv("SDL_AUDIODRIVER");
}

}  // namespace
