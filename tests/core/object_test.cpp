#include "core/global.h"
#include "core/object.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> log;

// A small family with recorded destruction: X and Y derive from Node.
class Node : public CObject {
public:
    explicit Node(const LList<CObject>& parents, const char* name = "") : CObject(parents), name(name)
    {
        type.Load("Node");
    }
    ~Node() override { log.push_back(name); }
    bool HasType(const str& t) const override { return t == "Node" || CObject::HasType(t); }
    void MouseDown(unsigned int button, bool down) override
    {
        CObject::MouseDown(button, down);
        if (down) log.push_back(std::string("down ") + name);
    }
    std::string name;
};

class X : public Node {
public:
    X(const LList<CObject>& parents, const char* name = "") : Node(parents, name) { type.Load("X"); }
    bool HasType(const str& t) const override { return t == "X" || Node::HasType(t); }
};

class Y : public Node {
public:
    Y(const LList<CObject>& parents, const char* name = "") : Node(parents, name) { type.Load("Y"); }
    bool HasType(const str& t) const override { return t == "Y" || Node::HasType(t); }
};

class Shared : public CGlobal {
public:
    explicit Shared(const LList<CObject>& parents) : CGlobal(parents) { type.Load("Shared"); }
    ~Shared() override { log.push_back("shared"); }
};

LList<CObject> Parents(CObject* a, CObject* b = nullptr) { return LList<CObject>(false, 2, a, b); }

class ObjectTree : public ::testing::Test {
protected:
    void SetUp() override { log.clear(); }
};

TEST_F(ObjectTree, ChildWithTwoParentsDiesWithTheFirstParentDestroyed)
{
    auto* root = new Node(LList<CObject>(false, 0), "root");
    auto* a = new Node(Parents(root), "a");
    auto* b = new Node(Parents(root), "b");
    auto* both = new Node(Parents(a, b), "both");
    EXPECT_TRUE(a->children.Contains(both));
    EXPECT_TRUE(b->children.Contains(both));
    delete a;
    EXPECT_EQ(log, (std::vector<std::string>{"a", "both"}));
    EXPECT_TRUE(b->children.Empty()) << "the dead child left its other parent's list";
    delete root;
}

TEST_F(ObjectTree, DeletionTakesChildrenInInsertionOrderDepthFirst)
{
    auto* root = new Node(LList<CObject>(false, 0), "root");
    auto* c1 = new Node(Parents(root), "c1");
    new Node(Parents(c1), "c1.1");
    new Node(Parents(root), "c2");
    new Node(Parents(root), "c3");
    delete root;
    EXPECT_EQ(log, (std::vector<std::string>{"root", "c1", "c1.1", "c2", "c3"}));
}

TEST_F(ObjectTree, RootDeletesGlobalsAfterChildrenAndAChildGlobalOnlyOnce)
{
    auto* root = new Node(LList<CObject>(false, 0), "root");
    new Shared(Parents(root));
    auto* deep = new Node(Parents(new Node(Parents(root), "mid")), "deep");
    EXPECT_NE(deep->GetGlobal(str("Shared"), true, 1), nullptr) << "found from a deep leaf";
    EXPECT_EQ(deep->GetGlobal(), root->GetGlobal());
    delete root;
    EXPECT_EQ(log, (std::vector<std::string>{"root", "shared", "mid", "deep"}));

    // A global that is no child of the root goes in the globals step, after the children.
    log.clear();
    root = new Node(LList<CObject>(false, 0), "root");
    auto* stray = new Node(LList<CObject>(false, 0), "stray");
    root->AddGlobal(stray);
    new Node(Parents(root), "child");
    delete root;
    EXPECT_EQ(log, (std::vector<std::string>{"root", "child", "stray"}));
}

TEST_F(ObjectTree, RegisteredObjectThatDiesEarlyLeavesTheGlobals)
{
    auto* root = new Node(LList<CObject>(false, 0), "root");
    auto* child = new Node(Parents(root), "child");
    child->AddGlobal(child);
    delete child;
    EXPECT_EQ(root->GetGlobal(), nullptr);
    delete root;
}

TEST_F(ObjectTree, HasTypeAnswersForTheWholeChainIsTypeOnlyForTheClass)
{
    X x(LList<CObject>(false, 0));
    EXPECT_TRUE(x.HasType(str("X")));
    EXPECT_TRUE(x.HasType(str("Node")));
    EXPECT_TRUE(x.HasType(str("CObject")));
    EXPECT_FALSE(x.HasType(str("Y")));
    EXPECT_TRUE(x.IsType(str("X")));
    EXPECT_FALSE(x.IsType(str("Node")));
}

TEST_F(ObjectTree, LookupsCountMatchesFromOneAndRewindTheCursor)
{
    Node root(LList<CObject>(false, 0));
    auto* x1 = new X(Parents(&root));
    new Y(Parents(&root));
    auto* x2 = new X(Parents(&root));
    EXPECT_EQ(root.GetChild(str("X"), true, 2), x2);
    EXPECT_EQ(root.GetChild(str("X"), true, 3), nullptr);
    EXPECT_EQ(root.GetChild(str("X"), true, 0), nullptr);
    EXPECT_EQ(root.children.cursor, root.children.head);
    EXPECT_EQ(root.GetChild(str("Node"), false, 3), x2) << "inexact lookups match base names";
    EXPECT_EQ(root.GetChild(str("Node"), true, 1), nullptr);
    EXPECT_EQ(x1->GetParent(str("Node"), true, 1), &root);
    EXPECT_EQ(root.GetChild(), x1);
    EXPECT_EQ(x2->GetHead(), &root);
}

TEST_F(ObjectTree, FindChildPrefersDirectMatchesThenSearchesDepthFirst)
{
    Node root(LList<CObject>(false, 0));
    auto* a = new Node(Parents(&root), "a");
    auto* deepY = new Y(Parents(new Node(Parents(a))));
    auto* b = new Node(Parents(&root), "b");
    auto* shallowY = new Y(Parents(b));
    EXPECT_EQ(root.FindChild(str("Y"), true, 1), deepY);
    EXPECT_EQ(b->FindChild(str("Y"), true, 1), shallowY);
    auto* direct = new Y(Parents(&root));
    EXPECT_EQ(root.FindChild(str("Y"), true, 1), direct);
    EXPECT_EQ(deepY->FindParent(str("Node"), true, 2), nullptr);
    EXPECT_EQ(deepY->FindParent(str("Node"), true, 1), deepY->GetParent());
    EXPECT_EQ(shallowY->FindParent(str("Node"), true, 1), b);
    EXPECT_EQ(root.children.cursor, root.children.head);
}

bool Count(void* data, CObject*)
{
    ++*static_cast<int*>(data);
    return true;
}

bool RefuseSecond(void* data, CObject*)
{
    return ++*static_cast<int*>(data) < 2;
}

TEST_F(ObjectTree, WalksVisitEveryObjectOrRaiseWhereTheyStopped)
{
    Node root(LList<CObject>(false, 0));
    new X(Parents(&root));
    new Y(Parents(&root));
    new X(Parents(&root));
    int visited = 0;
    EXPECT_TRUE(root.IterateChildren(Count, &visited));
    EXPECT_EQ(visited, 3);

    visited = 0;
    try {
        root.IterateChildren(RefuseSecond, &visited);
        FAIL() << "a refused walk raises";
    } catch (const XIterationError& e) {
        EXPECT_STREQ(e.where, "Y");
        EXPECT_STREQ(e.text, "Iteration was stopped early.");
        EXPECT_FALSE(e.fatal);
    }
}

TEST_F(ObjectTree, InputSpreadsToEveryDescendantOncePerParentLink)
{
    Node root(LList<CObject>(false, 0), "root");
    auto* a = new Node(Parents(&root), "a");
    auto* b = new Node(Parents(&root), "b");
    new Node(Parents(a, b), "shared");
    log.clear();
    root.MouseDown(0, true);
    EXPECT_EQ(log, (std::vector<std::string>{"down shared", "down a", "down shared", "down b", "down root"}));
    log.clear();
}

TEST_F(ObjectTree, LinkingHelpersIgnoreNull)
{
    Node root(LList<CObject>(false, 0));
    auto* child = new Node(LList<CObject>(false, 0));
    child->AddParent(nullptr);
    root.AddGlobal(nullptr);
    child->AddParent(&root);
    EXPECT_EQ(child->GetParent(), &root);
    EXPECT_EQ(root.GetChild(), child);
    log.clear();
}

}  // namespace
