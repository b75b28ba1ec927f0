#include "screens/match_screen.h"

#include "screens/game_over.h"
#include "screens/record_book.h"
#include "screens/replay_shelf.h"

#include <ctime>

CMatchScreen::CMatchScreen(const LList<CObject>& parents) : CMainGame(parents) { type.Load(kType); }

bool CMatchScreen::HasType(const str& t) const { return t == kType || CMainGame::HasType(t); }

CGame* CMatchScreen::NextGame()
{
    Finish();
    SReplay recording = Recording();
    recording.header.date = static_cast<std::int64_t>(std::time(nullptr));
    auto* shelf = FindReplayShelf(this);
    if (shelf && Recorded()) shelf->Save(recording);
    if (shelf) shelf->Ended(recording.header);
    if (auto* book = FindRecordBook(this)) book->Count(recording.header);
    return new CGameOver(WinnerText(), Successor(), ScoreLines(), DecisionLine());
}
