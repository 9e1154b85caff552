#pragma once

// A node of a GxSimpleTree; classes that live in a tree derive from it.
class GxSimpleNode {
public:
    GxSimpleNode() = default;
    virtual ~GxSimpleNode() = default;
    GxSimpleNode(const GxSimpleNode&) = delete;
    GxSimpleNode& operator=(const GxSimpleNode&) = delete;

    GxSimpleNode* GetParent() const { return m_Parent; }
    GxSimpleNode* GetPrevSibling() const { return m_Prev; }
    GxSimpleNode* GetNextSibling() const { return m_Next; }
    GxSimpleNode* GetFirstChild() const { return m_Child; }

private:
    friend class GxSimpleTree;
    GxSimpleNode* m_Parent = nullptr;
    GxSimpleNode* m_Prev = nullptr;
    GxSimpleNode* m_Next = nullptr;
    GxSimpleNode* m_Child = nullptr;
};

// A tree of sibling chains. The insert mode decides what happens to the nodes
// already at the insertion point: 0 drops the link to them (they are no longer
// owned by the tree), 1 keeps them as the following siblings of the new node, 2
// hangs them under the new node as its children.
class GxSimpleTree {
public:
    enum InsertMode { kDropOld = 0, kKeepAsSiblings = 1, kKeepAsChildren = 2 };

    GxSimpleTree() = default;
    ~GxSimpleTree();
    GxSimpleTree(const GxSimpleTree&) = delete;
    GxSimpleTree& operator=(const GxSimpleTree&) = delete;

    GxSimpleNode* GetTop() const { return m_Top; }
    // When set (the default), destroying the tree deletes every node.
    void SetOwning(bool owning) { m_Owning = owning; }
    bool IsOwning() const { return m_Owning; }

    GxSimpleNode* InsertTop(GxSimpleNode* node, int mode);
    GxSimpleNode* InsertAfter(GxSimpleNode* sibling, GxSimpleNode* node, int mode);
    GxSimpleNode* InsertChild(GxSimpleNode* parent, GxSimpleNode* node, int mode);
    // Takes the node (the first top-level node when null) out of its chain; its
    // children stay with it.
    GxSimpleNode* Unlink(GxSimpleNode* node);
    // Deletes the node, the chain of siblings that follows it and all their
    // descendants. Works iteratively: long chains and deep trees are fine.
    void DeleteSubtree(GxSimpleNode* node);
    void Clear() { DeleteSubtree(m_Top); }

private:
    // Hooks the old chain at the insertion point to `node` as the mode says.
    static void Attach(GxSimpleNode* node, GxSimpleNode* old, int mode);
    static void SetChainParent(GxSimpleNode* first, GxSimpleNode* parent);

    GxSimpleNode* m_Top = nullptr;
    bool m_Owning = true;
};
