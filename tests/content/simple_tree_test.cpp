#include <gtest/gtest.h>

#include <string>

#include "content/gx_simple_tree.h"

namespace {

int g_Alive = 0;

struct Node : GxSimpleNode {
    explicit Node(char n) : name(n) { ++g_Alive; }
    ~Node() override { --g_Alive; }
    char name;
};

// "a(b c) d": each node, its children in brackets; parents are checked on the way.
std::string Shape(const GxSimpleNode* node, const GxSimpleNode* parent = nullptr) {
    std::string out;
    const GxSimpleNode* prev = nullptr;
    for (; node; prev = node, node = node->GetNextSibling()) {
        if (node->GetParent() != parent || node->GetPrevSibling() != prev)
            return "broken";
        if (!out.empty())
            out += ' ';
        out += static_cast<const Node*>(node)->name;
        if (node->GetFirstChild())
            out += "(" + Shape(node->GetFirstChild(), node) + ")";
    }
    return out;
}

class SimpleTree : public ::testing::Test {
protected:
    void SetUp() override { g_Alive = 0; }
    void TearDown() override {
        tree.Clear();
        EXPECT_EQ(g_Alive, 0);
    }
    GxSimpleTree tree;
};

TEST_F(SimpleTree, InsertModesAtEveryPlace) {
    GxSimpleNode* a = tree.InsertTop(new Node('a'), 0);
    tree.InsertTop(new Node('b'), 1);
    EXPECT_EQ(Shape(tree.GetTop()), "b a");
    tree.InsertTop(new Node('c'), 2);
    EXPECT_EQ(Shape(tree.GetTop()), "c(b a)");
    tree.InsertAfter(a, new Node('d'), 0);
    EXPECT_EQ(Shape(tree.GetTop()), "c(b a d)");
    GxSimpleNode* b = tree.GetTop()->GetFirstChild();
    tree.InsertAfter(b, new Node('e'), 1);
    EXPECT_EQ(Shape(tree.GetTop()), "c(b e a d)");
    tree.InsertAfter(b, new Node('f'), 2);
    EXPECT_EQ(Shape(tree.GetTop()), "c(b f(e a d))");
    tree.InsertChild(b, new Node('g'), 0);
    tree.InsertChild(b, new Node('h'), 1);
    EXPECT_EQ(Shape(tree.GetTop()), "c(b(h g) f(e a d))");
    tree.InsertChild(b, new Node('i'), 2);
    EXPECT_EQ(Shape(tree.GetTop()), "c(b(i(h g)) f(e a d))");
    tree.InsertChild(nullptr, new Node('j'), 1);
    EXPECT_EQ(Shape(tree.GetTop()), "j c(b(i(h g)) f(e a d))");
}

TEST_F(SimpleTree, UnlinkKeepsChildrenAndMendsTheChain) {
    GxSimpleNode* a = tree.InsertTop(new Node('a'), 0);
    GxSimpleNode* b = tree.InsertAfter(a, new Node('b'), 0);
    GxSimpleNode* c = tree.InsertChild(b, new Node('c'), 0);
    tree.InsertAfter(c, new Node('d'), 0);
    tree.InsertChild(c, new Node('x'), 0);
    EXPECT_EQ(tree.Unlink(c), c);
    EXPECT_EQ(Shape(tree.GetTop()), "a b(d)");
    EXPECT_EQ(Shape(c), "c(x)");
    EXPECT_EQ(tree.Unlink(nullptr), a);
    EXPECT_EQ(Shape(tree.GetTop()), "b(d)");
    tree.InsertTop(a, 1);
    tree.InsertAfter(a, c, 1);
    EXPECT_EQ(Shape(tree.GetTop()), "a c(x) b(d)");
}

TEST_F(SimpleTree, DeleteSubtreeTakesTheFollowingSiblingsToo) {
    GxSimpleNode* a = tree.InsertTop(new Node('a'), 0);
    GxSimpleNode* b = tree.InsertAfter(a, new Node('b'), 0);
    tree.InsertAfter(b, new Node('c'), 0);
    tree.InsertChild(b, new Node('x'), 0);
    tree.DeleteSubtree(b);
    EXPECT_EQ(Shape(tree.GetTop()), "a");
    EXPECT_EQ(g_Alive, 1);
}

TEST_F(SimpleTree, LongChainsAndDeepTreesAreDeletedWithoutRecursion) {
    constexpr int kCount = 1000000;
    GxSimpleNode* last = tree.InsertTop(new Node('s'), 0);
    for (int i = 1; i < kCount; ++i)
        last = tree.InsertAfter(last, new Node('s'), 0);
    GxSimpleNode* deep = tree.InsertChild(tree.GetTop(), new Node('d'), 0);
    for (int i = 1; i < kCount; ++i)
        deep = tree.InsertChild(deep, new Node('d'), 0);
    EXPECT_EQ(g_Alive, 2 * kCount);
    tree.Clear();
    EXPECT_EQ(g_Alive, 0);
    EXPECT_EQ(tree.GetTop(), nullptr);
}

TEST(SimpleTreeOwnership, NonOwningTreeLeavesNodesAlone) {
    g_Alive = 0;
    Node kept('k');
    {
        GxSimpleTree tree;
        tree.SetOwning(false);
        tree.InsertTop(&kept, 0);
    }
    EXPECT_EQ(g_Alive, 1);
}

}  // namespace
