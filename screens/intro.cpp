#include "screens/intro.h"

#include "online/online.h"
#include "model/data.h"
#include "screens/menu.h"
#include "screens/options.h"
#include "screens/records.h"
#include "screens/replays.h"

CIntro::CIntro(const LList<CObject>& parents) : CGame(parents)
{
    type.Load(kType);
    RequireData(this, "::CIntro()");
    // Back at the start, this machine is out of any game with others.
    EndOnline(this);
    AddBackground(this);
    AddBanner(this, str("Quorvel!"));
    AddButton(this, DoNext, AsContext(kOptions), 218, 321, str("New Game"), kGreen);
    AddButton(this, DoNext, AsContext(kReplays), 218, 351, str("Replays"), kGreen);
    AddButton(this, DoNext, AsContext(kRecords), 218, 381, str("Records"), kGreen);
}

bool CIntro::HasType(const str& t) const { return t == kType || CGame::HasType(t); }

CGame* CIntro::NextGame()
{
    switch (choice) {
    case kOptions: return new COptions(Successor());
    case kReplays: return new CReplays(Successor());
    case kRecords: return new CRecords(Successor());
    default: return nullptr;
    }
}

bool CIntro::DoNext(void* context, CObject* screen)
{
    return FinishScreen<CIntro>(screen, [&](CIntro& intro) {
        intro.choice = static_cast<unsigned int>(ContextValue(context));
    });
}
