#include "app/gamer.h"

#include "app/version.h"

#include "online/online.h"

#include "play/main_game.h"
#include "screens/record_book.h"
#include "screens/replay_shelf.h"
#include "model/data.h"
#include "ui/game.h"

#include <algorithm>

namespace {

bool Overlap(const RECT& a, const RECT& b)
{
    RECT both;
    return IntersectRect(&both, &a, &b) != FALSE;
}

// Parts that overlap become one, so that no pixel is painted twice; empty ones go.
void MergeOverlapping(std::vector<RECT>& parts)
{
    std::erase_if(parts, [](const RECT& r) { return IsRectEmpty(&r); });
    for (bool merged = true; merged;) {
        merged = false;
        for (std::size_t i = 0; i < parts.size() && !merged; ++i)
            for (std::size_t j = i + 1; j < parts.size() && !merged; ++j) {
                if (!Overlap(parts[i], parts[j])) continue;
                UnionRect(&parts[i], &parts[i], &parts[j]);
                parts.erase(parts.begin() + static_cast<std::ptrdiff_t>(j));
                merged = true;
            }
    }
}

}  // namespace

CGamer::CGamer(HWND window, unsigned int period, unsigned int timerId)
    : CStaticGraphic(LList<CObject>(false, 0), Rect()), window(window), period(period), timerId(timerId)
{
    type.Load(kType);
    new CData(LList<CObject>(false, 1, this));
    new CReplayShelf(ReplaysFolder(), QUORVEL_VERSION, LList<CObject>(false, 1, this));
    new CRecordBook(RecordsFile(), LList<CObject>(false, 1, this));
    CData& data = RequireEngineData("::CGamer()");
    data.window = window;
    data.FillDefaults(this);
    settings.Load(data);
    GetClientRect(window, &data.client);
    data.client.Recalc();
    rect = data.client;
    rect.Recalc();
}

// The timer is killed, the cursor freed and shown before the tree goes.
CGamer::~CGamer()
{
    paused = false;
    Stop();
    if (measureDC) DeleteDC(measureDC);
}

bool CGamer::HasType(const str& t) const { return t == kType || CStaticGraphic::HasType(t); }

CGame* CGamer::GetGame()
{
    game = GetChild<CGame>();
    return game;
}

CGame& CGamer::RequireGame(const char* context)
{
    if (!GetGame()) throw XChildError(type + str(context));
    return *game;
}

CData& CGamer::RequireEngineData(const char* context)
{
    CData* data = Find<CData>();
    if (!data) throw XChildError(type + str(context));
    return *data;
}

// ---- The clock -------------------------------------------------------------------

void CGamer::Start()
{
    if (running || paused) return;
    if (SetTimer(window, timerId, period, nullptr)) running = true;
    CGame& current = RequireGame("::Start");
    current.Resumed();
    if (!current.capturesCursor) return;
    ConfineCursor(RequireEngineData("::Start()"));
    HideCursor();
}

void CGamer::Stop()
{
    if (!running) return;
    KillTimer(window, timerId);
    running = false;
    ClipCursor(nullptr);
    if (!cursorShown) {
        ShowCursor(TRUE);
        cursorShown = true;
    }
}

void CGamer::Pause()
{
    if (paused) return;
    paused = true;
    Stop();
    ShowPaused();
}

void CGamer::UnPause()
{
    if (!paused) return;
    paused = false;
    ShowPaused();
    Start();
}

void CGamer::Away(bool isAway)
{
    away = isAway;
    ShowPaused();
    if (away)
        Stop();
    else
        Start();
}

// The screen says so at once: with the clock stopped, only a repaint shows it.
void CGamer::ShowPaused()
{
    if (!GetGame()) return;
    game->Paused(paused || away);
    InvalidateRect(window, nullptr, FALSE);
}

void CGamer::TogglePaused()
{
    if (paused)
        UnPause();
    else
        Pause();
}

// The mouse cannot leave the playfield.
void CGamer::ConfineCursor(CData& data)
{
    POINT origin = MkPoint(rect.left, rect.top);
    ClientToScreen(data.window, &origin);
    Rect area = rect;
    OffsetRect(&area, origin.x, origin.y);
    area.Recalc();
    ClipCursor(&area);
}

void CGamer::HideCursor()
{
    if (!cursorShown) return;
    ShowCursor(FALSE);
    cursorShown = false;
}

// ---- One frame -------------------------------------------------------------------

// Every tick is followed by a paint, which finds what the tick changed.
void CGamer::Animate()
{
    CGame& current = RequireGame("Animate");
    CGraphic::Animate();
    RedrawWindow(window, nullptr, nullptr, RDW_INTERNALPAINT);
    current.Animate();
    COnline* online = FindOnline(this);
    if (current.GameOver() && (!online || online->FinishDue(&current))) ReplaceFinishedGame();
}

void CGamer::Tick()
{
    for (unsigned int n = 0; n < kMostFramesATick && Step(n == 0);) ++n;
    // Looked up afresh: a frame may have ended the session.
    if (COnline* online = FindOnline(this)) online->TickDone();
}

bool CGamer::Step(bool first)
{
    std::uint64_t session = 0;
    if (COnline* online = FindOnline(this)) {
        if (first) online->Pump(GetTickCount(), GetGame());
        session = online->serial;
        // An online match over on a frame that has just been confirmed finishes now.
        if (GetGame() && game->GameOver() && !online->FrameDue(game) && online->FinishDue(game)) {
            ReplaceFinishedGame();
            if (COnline* still = FindOnline(this); still && still->serial == session) still->FrameDone(GetGame());
            return false;
        }
        // A frame not due yet on the match's clock, or too far ahead of the others'
        // inputs, is not run yet; the window goes on.
        if (!online->FrameDue(GetGame())) return false;
        online->FrameStarts(game);
    }
    Animate();
    UpdateInput();
    // The frame may have ended the session (a join that failed, Continue after a stopped
    // match): it is looked up again, and told only if it is still the one that ran it.
    COnline* online = FindOnline(this);
    if (!online || online->serial != session) return false;
    online->FrameDone(GetGame());
    return online->InMatch() && dynamic_cast<CMainGame*>(GetGame());
}

void CGamer::ReplaceFinishedGame()
{
    Pause();
    EndPaint();
    gameReady = false;
    CGame* next;
    try {
        next = game->NextGame();
    } catch (...) {
        gameReady = true;  // the old screen stays; New Game can still replace it
        throw;
    }
    delete game;
    game = next;
    gameReady = true;
    SaveSettings();
    InitPaint();
    if (paused) {
        paused = false;
        Start();
    }
}

// ---- The paint cycle -------------------------------------------------------------

bool CGamer::InitPaint()
{
    if (!gameReady) return false;
    RequireGame("::InitPaint(Game)");
    windowDC = GetDC(window);
    bool prepared;
    try {
        prepared = CStaticGraphic::InitPaint(windowDC);
        if (prepared) measureDC = CreateCompatibleDC(windowDC);
    } catch (...) {
        ReleaseDC(window, windowDC);
        throw;
    }
    ReleaseDC(window, windowDC);
    if (!prepared) return false;
    InvalidateRect(window, nullptr, FALSE);  // a new screen is painted whole
    const bool result = game->InitPaint(memDC);
    RequireEngineData("::InitPaint(Data)").painting = true;
    return result;
}

// What changed since the last paint is found first and added to what the window itself
// needs repainted; only those parts of the back buffer are painted again, each with the
// screen clipped to it, and only they are copied to the window. A paint that fails keeps
// its parts for the next one, which paints them too.
bool CGamer::Paint()
{
    if (!gameReady) return false;
    CGame& current = RequireGame("::Paint()");
    if (partsPainted) parts.clear();
    partsPainted = false;
    try {
        FindParts(current);
    } catch (...) {
        KeepDueParts();
        ValidateRect(window, nullptr);  // the failed paint is not asked for again at once
        throw;
    }
    PAINTSTRUCT ps{};
    windowDC = BeginPaint(window, &ps);
    bool result = memDC != nullptr;
    try {
        if (memDC) result = PaintParts(current);
    } catch (...) {
        SelectClipRgn(memDC, nullptr);
        ::EndPaint(window, &ps);
        throw;
    }
    for (const RECT& part : parts)
        if (!BitBlt(windowDC, part.left, part.top, part.right - part.left, part.bottom - part.top, memDC, part.left,
                    part.top, SRCCOPY))
            result = false;
    ::EndPaint(window, &ps);
    partsPainted = true;
    if (memDC) paintCheck.Check(memDC, bitmap, rect.width, rect.height, current);
    return result;
}

// The areas of what changed, and what the window itself needs repainted (exposed, or
// left by graphics that went); the changed areas then join the window's update region,
// so that the paint may draw there.
void CGamer::FindParts(CGame& current)
{
    if (memDC) current.FindChanges(memDC, measureDC, parts);
    const std::size_t changed = parts.size();
    KeepDueParts();
    for (std::size_t i = 0; i < changed; ++i) InvalidateRect(window, &parts[i], FALSE);
    MergeOverlapping(parts);
}

void CGamer::KeepDueParts()
{
    RECT due;
    if (GetUpdateRect(window, &due, FALSE)) parts.push_back(due);
}

bool CGamer::PaintParts(CGame& current)
{
    bool result = true;
    for (const RECT& part : parts) {
        SelectClipRgn(memDC, nullptr);
        IntersectClipRect(memDC, part.left, part.top, part.right, part.bottom);
        if (!current.Paint(memDC)) result = false;
    }
    SelectClipRgn(memDC, nullptr);
    return result;
}

bool CGamer::EndPaint()
{
    if (!gameReady) return false;
    CGame& current = RequireGame("::EndPaint(Game)");
    const bool screenDone = memDC ? current.EndPaint(memDC) : true;
    const bool engineDone = CStaticGraphic::EndPaint(windowDC);
    if (measureDC) DeleteDC(measureDC);
    measureDC = nullptr;
    RequireEngineData("::EndPaint(Data)").painting = false;
    return screenDone && engineDone;
}

void CGamer::SaveSettings()
{
    settings.Save(RequireEngineData("::SaveSettings()"));
}

bool CGamer::Tilt()
{
    auto* match = dynamic_cast<CMainGame*>(GetGame());
    return match && match->Tilt();
}
