// Lookups by class name on a tree of the size of a match, and velocity arithmetic.

#include "core/global.h"
#include "play/vector.h"

#include <benchmark/benchmark.h>

namespace {

class Leaf : public CObject {
public:
    Leaf(const LList<CObject>& parents, const char* name) : CObject(parents) { type.Load(name); }
};

// About 150 objects: a screen with 64 bricks under a wall, four players with paddle,
// text, input and meter each, and a few others, plus one global.
struct MatchSizedTree {
    MatchSizedTree()
    {
        root = new Leaf(LList<CObject>(false, 0), "CGamer");
        new CGlobal(LList<CObject>(false, 1, root));
        screen = new Leaf(LList<CObject>(false, 1, root), "CMainGame");
        new Leaf(LList<CObject>(false, 1, screen), "CBackground");
        new Leaf(LList<CObject>(false, 1, screen), "CBall");
        auto* wall = new Leaf(LList<CObject>(false, 1, screen), "CBricks");
        for (int i = 0; i < 64; ++i) new Leaf(LList<CObject>(false, 1, wall), "CBrick");
        auto* players = new Leaf(LList<CObject>(false, 1, screen), "CPlayers");
        for (int p = 0; p < 4; ++p) {
            auto* player = new Leaf(LList<CObject>(false, 2, players, screen), "CPlayer");
            auto* paddle = new Leaf(LList<CObject>(false, 2, screen, player), "CRoundPaddle");
            new Leaf(LList<CObject>(false, 3, paddle, player, screen), "CLRText");
            deepest = new Leaf(LList<CObject>(false, 1, paddle), "CMouseInput");
            new Leaf(LList<CObject>(false, 2, player, screen), "CPaddleMeter");
        }
        for (int i = 0; i < 40; ++i) new Leaf(LList<CObject>(false, 1, root), "CControls");
    }
    ~MatchSizedTree() { delete root; }

    CObject* root;
    CObject* screen;
    CObject* deepest;
};

void BM_GetGlobalFromALeaf(benchmark::State& state)
{
    MatchSizedTree tree;
    for (auto _ : state) benchmark::DoNotOptimize(tree.deepest->GetGlobal(str("CGlobal"), true, 1));
}
BENCHMARK(BM_GetGlobalFromALeaf);

void BM_GetChildLastOfScreen(benchmark::State& state)
{
    MatchSizedTree tree;
    for (auto _ : state) benchmark::DoNotOptimize(tree.screen->GetChild(str("CPaddleMeter"), true, 4));
}
BENCHMARK(BM_GetChildLastOfScreen);

void BM_GetChildScreenOfEngine(benchmark::State& state)
{
    MatchSizedTree tree;
    for (auto _ : state) benchmark::DoNotOptimize(tree.root->GetChild(str("CMainGame"), true, 1));
}
BENCHMARK(BM_GetChildScreenOfEngine);

void BM_VectorTurnAndReflect(benchmark::State& state)
{
    CVector v(5, -5);
    for (auto _ : state) {
        v.aT(0.1);
        v.RevX(0);
        v.RevY(-1);
        benchmark::DoNotOptimize(v.dVx());
    }
}
BENCHMARK(BM_VectorTurnAndReflect);

}  // namespace
