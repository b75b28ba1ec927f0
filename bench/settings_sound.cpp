// What remembering the players and playing a sound cost the game's thread: loading and
// saving the settings file, and starting a sound through PlaySound into a mixer. A frame
// is 20 ms.

#include "app/resources.h"
#include "model/controls.h"
#include "platform/sound/mixer.h"
#include "platform/sound/output.h"
#include "platform/win32.h"
#include "model/data.h"
#include "app/settings.h"
#include "model/sounds.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

struct Settings {
    Settings() : data(new CData(LList<CObject>(false, 1, &root))) { data->FillDefaults(&root); }
    CObject root{LList<CObject>(false, 0)};
    CData* data;
};

std::string FilePath(const char* name)
{
    const std::filesystem::path folder = std::filesystem::path(QUORVEL_BENCH_SCRATCH);
    std::filesystem::create_directories(folder);
    return (folder / name).string();
}

// A file with every field set: four players, one of them on the keyboard.
std::string FullFile()
{
    const std::string path = FilePath("full.ini");
    std::filesystem::remove(path);
    Settings settings;
    settings.data->players[0].input->SetKeyboard('W', 'S', 'A', 'D', VK_SPACE, 'Q', VK_SHIFT);
    settings.data->sound = false;
    SettingsFile(path).Save(*settings.data);
    return path;
}

void LoadSettings(benchmark::State& state)
{
    const std::string path = FullFile();
    Settings settings;
    for (auto _ : state) benchmark::DoNotOptimize(SettingsFile(path).Load(*settings.data));
}
BENCHMARK(LoadSettings)->Unit(benchmark::kMicrosecond);

// A settings file of 10 MB of blank lines (what a broken tool or a prank leaves): the
// start sets it aside without reading it.
void LoadTenMegabyteFile(benchmark::State& state)
{
    const std::string path = FilePath("huge.ini");
    const std::string blank(10 << 20, '\n');
    Settings settings;
    for (auto _ : state) {
        state.PauseTiming();
        std::ofstream(path, std::ios::binary) << blank;
        state.ResumeTiming();
        benchmark::DoNotOptimize(SettingsFile(path).Load(*settings.data));
    }
}
BENCHMARK(LoadTenMegabyteFile)->Unit(benchmark::kMillisecond);

// The largest file that is still read: just under 1 MB of junk and unknown sections.
void LoadLargestFile(benchmark::State& state)
{
    const std::string path = FilePath("largest.ini");
    std::string text;
    for (int i = 0; text.size() < (1 << 20) - 64; ++i)
        text += i % 2 ? "junk line " + std::to_string(i) + "\n" : "[Unknown" + std::to_string(i) + "]\n";
    std::ofstream(path, std::ios::binary) << text;
    Settings settings;
    for (auto _ : state) benchmark::DoNotOptimize(SettingsFile(path).Load(*settings.data));
}
BENCHMARK(LoadLargestFile)->Unit(benchmark::kMillisecond);

// Leaving a screen that changed one player. What the game's thread pays (the hand-over to
// the writer), and what the writer then spends: one section written, flushed and renamed.
void SaveOneChange(benchmark::State& state)
{
    const bool toDisk = state.range(0) != 0;
    const std::string path = FullFile();
    Settings settings;
    SettingsFile file(path);
    file.Load(*settings.data);
    unsigned int n = 0;
    for (auto _ : state) {
        settings.data->players[1].color = RGB(0, n++ % 256, 0);
        benchmark::DoNotOptimize(file.Save(*settings.data));
        if (toDisk) file.Flush();
    }
}
BENCHMARK(SaveOneChange)->ArgName("toDisk")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();

// Every section changed, as after Reset players, written to the disk.
void SaveEverything(benchmark::State& state)
{
    const std::string path = FullFile();
    Settings settings;
    for (auto _ : state) {
        SettingsFile file(path);
        benchmark::DoNotOptimize(file.Save(*settings.data));
        file.Flush();
    }
}
BENCHMARK(SaveEverything)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The SDL host's output without the device: the mixer under a lock.
class MixerOutput : public sound::Output {
public:
    void Play(WORD, const sound::Wave& wave) override { mixer.Start(wave); }
    void StopAll() override { mixer.StopAll(); }
    sound::Mixer mixer{22050};
};

void StartSound(benchmark::State& state)
{
    resources::Register();
    MixerOutput output;
    sound::InstallOutput(&output);
    for (auto _ : state)
        benchmark::DoNotOptimize(PlaySound(MAKEINTRESOURCE(SoundBrick), nullptr, SND_RESOURCE | SND_ASYNC));
    sound::InstallOutput(nullptr);
}
BENCHMARK(StartSound)->Unit(benchmark::kMicrosecond);

// One device buffer (512 samples, 23 ms of sound) with four sounds playing.
void MixFourSounds(benchmark::State& state)
{
    resources::Register();
    sound::Mixer mixer(22050);
    std::int16_t buffer[512];
    for (auto _ : state) {
        if (mixer.Playing() == 0)
            for (const ESound id : {SoundDropOut, SoundWinner, SoundSuddenDeath, SoundBrick}) mixer.Start(*sound::FindWave(id));
        mixer.Mix(buffer, 512);
        benchmark::DoNotOptimize(buffer);
    }
}
BENCHMARK(MixFourSounds)->Unit(benchmark::kMicrosecond);

}  // namespace
