#include "screens/replays.h"

#include "screens/intro.h"
#include "screens/menu.h"
#include "screens/record_book.h"
#include "screens/replay_screen.h"

#include <algorithm>
#include <string>

namespace {

constexpr LONG kListTop = 70;
constexpr LONG kRowPitch = 42;
constexpr LONG kLineHeight = 18;
constexpr LONG kTextLeft = 16, kTextRight = 340;
constexpr unsigned int kWatchX = 348, kKeepX = 428;
const Rect kMessageBox(0, 44, 512, 64);
const Rect kMoreBox(0, 412, 512, 430);

std::string Winner(const SReplayHeader& header)
{
    if (header.winner == 0 || header.winner > kReplaySlots) return "nobody won";
    return header.players[header.winner - 1].name + " won";
}

}  // namespace

str ReplayWhen(const SReplayHeader& header)
{
    return str((LocalDate(header.date) + (header.online ? "  online, " : "  ") + Winner(header)).c_str());
}

str ReplayWho(const SReplayHeader& header)
{
    std::string who;
    for (const SReplayPlayer& player : header.players) {
        if (!player.played) continue;
        if (!who.empty()) who += ", ";
        who += player.name;
    }
    return str(who.c_str());
}

CReplays::CReplays(const LList<CObject>& parents, const str& message, std::size_t from) : CGame(parents)
{
    type.Load(kType);
    AddBackground(this);
    AddTitle(this, str("Replays"));
    AddLine(this, message, kMessageBox);
    if (const CReplayShelf* shelf = FindReplayShelf(this)) entries = shelf->List();
    first = std::min(from, entries.empty() ? 0 : entries.size() - 1);
    if (entries.empty()) AddLine(this, str("No match has been recorded yet"), Rect(0, kListTop, 512, kListTop + kLineHeight));
    for (std::size_t i = first; i < entries.size() && i < first + kRows; ++i)
        AddRow(i, kListTop + static_cast<LONG>(i - first) * kRowPitch);
    if (entries.size() > kRows)
        AddLine(this, str(("Wheel or Up and Down for more: " + std::to_string(first + 1) + " to " +
                           std::to_string(std::min(entries.size(), first + kRows)) + " of " +
                           std::to_string(entries.size())).c_str()),
                kMoreBox);
    AddFootButton(this, DoBack, AsContext(0));
}

bool CReplays::HasType(const str& t) const { return t == kType || CGame::HasType(t); }

void CReplays::AddRow(std::size_t index, LONG top)
{
    const CReplayShelf::Entry& entry = entries[index];
    const str when = entry.readable ? ReplayWhen(entry.header) : str(entry.problem.c_str());
    AddLine(this, when, Rect(kTextLeft, top, kTextRight, top + kLineHeight));
    if (entry.readable) AddLine(this, ReplayWho(entry.header), Rect(kTextLeft, top + kLineHeight, kTextRight, top + 2 * kLineHeight));
    const auto buttonTop = static_cast<unsigned int>(top + 8);
    AddButton(this, DoWatch, AsContext(index), kWatchX, buttonTop, str("Watch"), kGreen);
    AddButton(this, DoKeep, AsContext(index), kKeepX, buttonTop, str(entry.kept ? "Kept" : "Keep"), kGreen);
}

void CReplays::ScrollTo(std::size_t to)
{
    if (to == first || to >= entries.size()) return;
    first = to;
    choice = Scroll;
    gameOver = true;
}

// Up moves the list back towards the newest; the last page stays full.
void CReplays::ScrollBy(long rows)
{
    const long last = entries.size() > kRows ? static_cast<long>(entries.size() - kRows) : 0;
    ScrollTo(static_cast<std::size_t>(std::clamp(static_cast<long>(first) + rows, 0L, last)));
}

void CReplays::KeyDown(unsigned int key, bool down)
{
    CGame::KeyDown(key, down);
    if (!down || gameOver) return;
    switch (key) {
    case VK_UP: ScrollBy(-1); break;
    case VK_DOWN: ScrollBy(1); break;
    case VK_PRIOR: ScrollBy(-static_cast<long>(kRows)); break;
    case VK_NEXT: ScrollBy(kRows); break;
    default: break;
    }
}

// A notch away from the player goes back one row, towards the newest.
void CReplays::MouseWheel(int notches)
{
    CGame::MouseWheel(notches);
    if (!gameOver) ScrollBy(-notches);
}

bool CReplays::DoWatch(void* context, CObject* screen)
{
    return FinishScreen<CReplays>(screen, [&](CReplays& list) {
        list.choice = Watch;
        list.row = ContextValue(context);
    });
}

bool CReplays::DoKeep(void* context, CObject* screen)
{
    return FinishScreen<CReplays>(screen, [&](CReplays& list) {
        list.choice = Keep;
        list.row = ContextValue(context);
    });
}

bool CReplays::DoBack(void*, CObject* screen)
{
    return FinishScreen<CReplays>(screen, [](CReplays& list) { list.choice = Back; });
}

// A recording that cannot be played leaves the list in place, saying why.
CGame* CReplays::NextGame()
{
    CReplayShelf* shelf = FindReplayShelf(this);
    const bool chosen = row < entries.size() && shelf;
    str message("");
    switch (choice) {
    case Back: return new CIntro(Successor());
    case Watch:
        if (!chosen) break;
        try {
            return new CReplayScreen(std::make_shared<const SReplay>(shelf->Load(entries[row].path)), Successor());
        } catch (const XReplayError& e) {
            message = e.text;
        }
        break;
    case Keep:
        if (chosen && !shelf->Keep(entries[row].path)) message = str("This replay cannot be kept");
        break;
    case Scroll: break;
    }
    return new CReplays(Successor(), message, first);
}
