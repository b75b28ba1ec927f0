#include "platform/sound/output.h"
#include "platform/sound/winmm.h"

#include <cstdio>
#include <map>

namespace sound {
namespace {

Output* installed = nullptr;

std::map<WORD, Wave>& Waves()
{
    static std::map<WORD, Wave> waves;
    return waves;
}

}  // namespace

Output* CurrentOutput() { return installed; }
void InstallOutput(Output* output) { installed = output; }

bool RegisterWave(WORD id, const unsigned char* bytes, std::size_t size)
{
    std::optional<Wave> wave = DecodeWave(bytes, size);
    if (!wave) return false;
    Waves()[id] = std::move(*wave);
    return true;
}

const Wave* FindWave(WORD id)
{
    const auto found = Waves().find(id);
    return found == Waves().end() ? nullptr : &found->second;
}

}  // namespace sound

BOOL PlaySoundA(LPCSTR name, HMODULE, DWORD flags)
{
    sound::Output* output = sound::CurrentOutput();
    if (!name || (flags & SND_PURGE)) {
        if (output) output->StopAll();
        return TRUE;
    }
    if ((flags & SND_RESOURCE) != SND_RESOURCE || !IS_INTRESOURCE(name)) return FALSE;
    const WORD id = static_cast<WORD>(reinterpret_cast<std::uintptr_t>(name));
    const sound::Wave* wave = sound::FindWave(id);
    if (!wave || !output) return FALSE;
    output->Play(id, *wave);
    return TRUE;
}
