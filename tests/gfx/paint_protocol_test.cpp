#include "gfx/background.h"
#include "gfx/holder.h"
#include "gfx/static_graphic.h"
#include "support/tree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using testing_support::Tree;

std::vector<std::string> painted;

// A graphic that records its paints and can be told to fail.
class Probe : public CGraphic {
public:
    Probe(const LList<CObject>& parents, const char* name, bool fails = false)
        : CGraphic(parents, Rect(0, 0, 10, 10)), name(name), fails(fails)
    {
        type.Load(name);
    }
    bool Paint(HDC dc) override
    {
        if (!CGraphic::Paint(dc)) return false;
        painted.push_back(name);
        return !fails;
    }
    std::string name;
    bool fails;
};

// A 10 x 10 square of one colour.
class Square : public CStaticGraphic {
public:
    Square(const LList<CObject>& parents, COLORREF color) : CStaticGraphic(parents, Rect(0, 0, 10, 10)), color(color) {}
    bool InitPaint(HDC dc) override
    {
        if (!CStaticGraphic::InitPaint(dc)) return false;
        HBRUSH b = CreateSolidBrush(color);
        HGDIOBJ old = SelectObject(memDC, b);
        SelectObject(memDC, GetStockObject(NULL_PEN));
        Rectangle(memDC, 0, 0, 11, 11);
        SelectObject(memDC, old);
        DeleteObject(b);
        return true;
    }
    COLORREF color;
};

// A red disc on a transparent mask.
class Disc : public CAlphaStaticGraphic {
public:
    explicit Disc(const LList<CObject>& parents) : CAlphaStaticGraphic(parents, Rect(100, 100, 124, 124)) {}
    bool InitPaint(HDC dc) override
    {
        if (!CAlphaStaticGraphic::InitPaint(dc)) return false;
        HBRUSH b = CreateSolidBrush(RGB(255, 0, 0));
        HGDIOBJ old = SelectObject(memDC, b);
        SelectObject(memDC, GetStockObject(NULL_PEN));
        Ellipse(memDC, 0, 0, 24, 24);
        Ellipse(maskDC, 0, 0, 24, 24);
        SelectObject(memDC, old);
        DeleteObject(b);
        return true;
    }
};

class PaintProtocol : public ::testing::Test {
protected:
    void SetUp() override
    {
        painted.clear();
        CGraphic::orderCheck = true;
        objectsAtStart = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    }
    void TearDown() override { CGraphic::orderCheck = true; }

    DWORD objectsAtStart = 0;
};

TEST_F(PaintProtocol, InitPaintAnimatesOnceAndRefusesASecondTime)
{
    Tree tree;
    auto* g = new CGraphic(tree.Under(), Rect(0, 0, 10, 10));
    EXPECT_TRUE(g->InitPaint(tree.dc));
    EXPECT_EQ(g->frames, 1u);
    try {
        g->InitPaint(tree.dc);
        FAIL() << "a second InitPaint raises";
    } catch (const XPaintError& e) {
        EXPECT_STREQ(e.where, "CGraphic::InitPaint");
    }
    g->Animate();
    EXPECT_EQ(g->frames, 2u);
}

TEST_F(PaintProtocol, UnpreparedPaintOutsideTheCycleIsReportedOnce)
{
    Tree tree;
    auto* g = new CGraphic(tree.Under(), Rect(0, 0, 10, 10));
    EXPECT_THROW(g->Paint(tree.dc), XPaintError);
    EXPECT_TRUE(g->Paint(tree.dc)) << "the order check is off for the rest of the run";
    EXPECT_THROW(g->EndPaint(tree.dc), XPaintError) << "EndPaint does not consult the order check";
}

TEST_F(PaintProtocol, MissingSettingsAreAChildError)
{
    CObject root(LList<CObject>(false, 0));
    auto* g = new CGraphic(LList<CObject>(false, 1, &root), Rect());
    try {
        g->Animate();
        FAIL();
    } catch (const XChildError& e) {
        EXPECT_STREQ(e.where, "CGraphic::Animate");
    }
}

TEST_F(PaintProtocol, GraphicUnderANonHolderIsAttachedToTheHolderAbove)
{
    Tree tree;
    auto* holder = new CGraphicHolder(tree.Under(), Rect());
    auto* owner = new CObject(LList<CObject>(false, 1, holder));
    auto* g = new CGraphic(LList<CObject>(false, 1, owner), Rect());
    ASSERT_EQ(g->parents.Count(), 2u);
    EXPECT_EQ(g->GetParent(), owner);
    EXPECT_EQ(g->parents.head->next->item, holder);
    auto* direct = new CGraphic(LList<CObject>(false, 1, holder), Rect());
    EXPECT_EQ(direct->parents.Count(), 1u);
}

TEST_F(PaintProtocol, HolderForwardsToGraphicsOnlyAndStopsAtAFailingChild)
{
    Tree tree;
    auto* holder = new CGraphicHolder(tree.Under(), Rect());
    new Probe(LList<CObject>(false, 1, holder), "First");
    new CObject(LList<CObject>(false, 1, holder));
    new Probe(LList<CObject>(false, 1, holder), "Failing", true);
    new Probe(LList<CObject>(false, 1, holder), "Third");
    EXPECT_TRUE(holder->InitPaint(tree.dc));
    EXPECT_EQ(holder->frames, 0u) << "a holder never counts frames";
    EXPECT_FALSE(holder->prepared);
    try {
        holder->Paint(tree.dc);
        FAIL();
    } catch (const XIterationError& e) {
        EXPECT_STREQ(e.where, "Failing");
    }
    EXPECT_EQ(painted, (std::vector<std::string>{"First", "Failing"}));

    holder->children.Rewind();
    EXPECT_TRUE(holder->EndPaint(tree.dc));
    EXPECT_TRUE(holder->InitPaint(tree.dc)) << "the cycle can open again";
    EXPECT_EQ(static_cast<Probe*>(holder->GetChild())->frames, 2u);
    holder->EndPaint(tree.dc);
}

TEST_F(PaintProtocol, StaticGraphicMovedBetweenRepaintsShowsTheSamePicture)
{
    {
        Tree tree;
        auto* square = new Square(tree.Under(), RGB(0, 0, 255));
        ASSERT_TRUE(square->InitPaint(tree.dc));
        tree.Fill(RGB(0, 0, 0));
        square->Paint(tree.dc);
        EXPECT_EQ(tree.Pixel(5, 5), RGB(0, 0, 255));
        OffsetRect(&square->rect, 100, 50);
        tree.Fill(RGB(0, 0, 0));
        square->Paint(tree.dc);
        EXPECT_EQ(tree.Pixel(5, 5), RGB(0, 0, 0));
        EXPECT_EQ(tree.Pixel(105, 55), RGB(0, 0, 255));
        EXPECT_EQ(tree.Pixel(109, 59), RGB(0, 0, 255));
        EXPECT_EQ(tree.Pixel(110, 60), RGB(0, 0, 0));
        square->EndPaint(tree.dc);
    }
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), objectsAtStart);
}

TEST_F(PaintProtocol, AlphaGraphicLeavesTheBackgroundOutsideItsShape)
{
    {
        Tree tree;
        auto* disc = new Disc(tree.Under());
        ASSERT_TRUE(disc->InitPaint(tree.dc));
        tree.Fill(RGB(0, 128, 0));
        EXPECT_TRUE(disc->Paint(tree.dc));
        EXPECT_EQ(tree.Pixel(112, 112), RGB(255, 0, 0));
        EXPECT_EQ(tree.Pixel(100, 100), RGB(0, 128, 0)) << "the corner is outside the disc";
        EXPECT_EQ(tree.Pixel(123, 123), RGB(0, 128, 0));
    }
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), objectsAtStart)
        << "a graphic destroyed while prepared gives its surfaces back";
}

TEST_F(PaintProtocol, BackgroundIsGreyWithABlackBorder)
{
    Tree tree;
    auto* background = new CBackground(tree.Under(), tree.data->client);
    ASSERT_TRUE(background->InitPaint(tree.dc));
    background->Paint(tree.dc);
    EXPECT_EQ(tree.Pixel(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(tree.Pixel(511, 511), RGB(0, 0, 0));
    EXPECT_EQ(tree.Pixel(256, 256), RGB(128, 128, 128));
    EXPECT_TRUE(background->HasType(str("CStaticGraphic")));
    background->EndPaint(tree.dc);
}

}  // namespace
