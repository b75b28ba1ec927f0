#include "model/sounds.h"

#include "model/data.h"

const char* SoundName(WORD id)
{
    for (const SoundResource& resource : kSoundResources)
        if (resource.id == id) return resource.name;
    return nullptr;
}

void PlayEffect(CObject* from, ESound sound)
{
    const CData* data = from ? FindData(from) : nullptr;
    if ((data && !data->sound) || CSoundMute::On()) return;
    if (CSoundHold* hold = CSoundHold::Current()) return hold->kept.push_back(sound);
    PlaySound(MAKEINTRESOURCE(sound), GetModuleHandle(nullptr), SND_RESOURCE | SND_ASYNC | SND_NODEFAULT);
}

CSoundHold::CSoundHold() : outer(current) { current = this; }

CSoundHold::~CSoundHold() { current = outer; }

void CSoundHold::Release()
{
    current = outer;
    for (ESound sound : kept) PlayEffect(nullptr, sound);
    kept.clear();
}
