#include "screens/join_game.h"

#include "screens/match_screen.h"
#include "online/online.h"
#include "model/data.h"
#include "screens/menu.h"
#include "screens/options.h"
#include "ui/text.h"
#include "ui/text_edit.h"

namespace {

constexpr unsigned int kFieldX = 156;
constexpr unsigned int kFieldY = 246;
constexpr unsigned int kJoinY = 302;
const Rect kStatusBox(0, 340, 512, 360);

}  // namespace

CJoinGame::CJoinGame(const LList<CObject>& parents) : CGame(parents)
{
    type.Load(kType);
    CData& data = RequireData(this, "::CJoinGame()");
    AddBackground(this);
    AddTitle(this, str("Join game"));
    AddFootButton(this, DoBack, nullptr);
    auto* field = new CTextEdit(kFieldX, kFieldY, &data.joinAddress, Under(this), EEntry::Address);
    new CRightNormText(str("Address:"), LList<CObject>(false, 2, field, this), Rect());
    AddButton(this, DoJoin, nullptr, kBackX, kJoinY, str("Join"), kGreen);
    status = AddLine(this, str("Type the address of the machine that hosts the game"), kStatusBox);
}

bool CJoinGame::HasType(const str& t) const { return t == kType || CGame::HasType(t); }

CGame* CJoinGame::NextGame()
{
    if (choice == Match) return new CMatchScreen(Successor());
    // Back leaves a game being joined; one this machine hosts goes on.
    if (COnline* online = FindOnline(this); online && !online->Session().IsHost()) EndOnline(this);
    return new COptions(Successor());
}

void CJoinGame::Animate()
{
    CGame::Animate();
    if (!gameOver) Follow();
}

// What the session has come to: the screen says it, and the match starts with the host's.
void CJoinGame::Follow()
{
    COnline* online = FindOnline(this);
    if (!online) return;
    net::Lockstep& session = online->Session();
    switch (session.GetState()) {
    case net::Lockstep::State::Joining: return;
    case net::Lockstep::State::Lobby:
        status->text = str("Joined: waiting for the host to start the match");
        return;
    case net::Lockstep::State::Ended:
        status->text = str(session.Failure().c_str());
        EndOnline(this);
        return;
    case net::Lockstep::State::Playing:
        if (!online->StartPending()) {
            status->text = str("The match is over: waiting for the host to start the next");
            return;
        }
        online->Seat(RequireData(this, "::Follow"));
        choice = Match;
        gameOver = true;
        return;
    }
}

void CJoinGame::Join()
{
    CData& data = RequireData(this, "::Join");
    const COnline* online = FindOnline(this);
    if (online) return;  // already on its way
    try {
        JoinOnline(this, data, static_cast<const char*>(data.joinAddress));
    } catch (const XException& e) {
        status->text = e.text;
        return;
    }
    status->text = str("Connecting to ") + data.joinAddress + str("...");
}

bool CJoinGame::DoJoin(void*, CObject* screen)
{
    auto* join = dynamic_cast<CJoinGame*>(screen);
    if (!join) return false;
    join->Join();
    return true;
}

bool CJoinGame::DoBack(void*, CObject* screen)
{
    return FinishScreen<CJoinGame>(screen, [](CJoinGame& join) { join.choice = Back; });
}
