#include "screens/records.h"

#include "screens/intro.h"
#include "screens/menu.h"
#include "screens/record_book.h"
#include "ui/button.h"

#include <string>

namespace {

constexpr LONG kLine = 18;
constexpr LONG kPlayersTop = 52, kScoresTop = 246;
constexpr unsigned int kWideButton = 100;

void AddRow(CGame* screen, const std::string& text, LONG top)
{
    AddLine(screen, str(text.c_str()), Rect(0, top, 512, top + kLine));
}

CButton* AddWideButton(CGame* screen, CRecords::Choice choice, unsigned int x, const char* caption)
{
    return new CButton(CRecords::DoChoose, AsContext(choice), x, kBackY, str(caption), Under(screen), kGreen,
                       kWideButton, kButtonHeight, PadRectangular, SideBottom);
}

}  // namespace

CRecords::CRecords(const LList<CObject>& parents, bool asking) : CGame(parents)
{
    type.Load(kType);
    AddBackground(this);
    AddTitle(this, str("Records"));
    const CRecordBook* book = FindRecordBook(this);
    const std::vector<SPlayerRecord> players = book ? book->Players() : std::vector<SPlayerRecord>{};
    AddRow(this, players.empty() ? "No match has been played yet" : "Played, won, best score, last played", kPlayersTop);
    LONG top = kPlayersTop + kLine + 4;
    for (std::size_t i = 0; i < players.size() && i < kPlayerLines; ++i, top += kLine) {
        const SPlayerRecord& r = players[i];
        AddRow(this, r.name + ":  " + std::to_string(r.played) + ",  " + std::to_string(r.won) + ",  " +
                         std::to_string(r.best) + ",  " + LocalDate(r.last), top);
    }
    top = kScoresTop;
    if (book && !book->Best().empty()) AddRow(this, "The best scores", top);
    for (std::size_t i = 0; book && i < book->Best().size() && i < kScoreLines; ++i) {
        const SBestScore& b = book->Best()[i];
        top += kLine;
        AddRow(this, std::to_string(b.score) + "  " + b.name + "  " + LocalDate(b.date), top);
    }
    if (asking) {
        AddRow(this, "Clear every record?", kBackY - 30);
        AddWideButton(this, Clear, 146, "Yes, clear");
        AddWideButton(this, KeepRecords, 266, "No");
        return;
    }
    AddFootButton(this, DoChoose, AsContext(Back));
    AddWideButton(this, AskClear, 340, "Clear records");
}

bool CRecords::HasType(const str& t) const { return t == kType || CGame::HasType(t); }

bool CRecords::DoChoose(void* context, CObject* screen)
{
    return FinishScreen<CRecords>(screen, [&](CRecords& records) {
        records.choice = static_cast<Choice>(ContextValue(context));
    });
}

CGame* CRecords::NextGame()
{
    switch (choice) {
    case AskClear: return new CRecords(Successor(), true);
    case Clear:
        if (CRecordBook* book = FindRecordBook(this)) book->Clear();
        return new CRecords(Successor());
    case KeepRecords: return new CRecords(Successor());
    case Back: break;
    }
    return new CIntro(Successor());
}
