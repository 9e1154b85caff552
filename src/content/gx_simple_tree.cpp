#include "content/gx_simple_tree.h"

#include <vector>

GxSimpleTree::~GxSimpleTree() {
    if (m_Owning)
        Clear();
}

void GxSimpleTree::SetChainParent(GxSimpleNode* first, GxSimpleNode* parent) {
    for (GxSimpleNode* n = first; n; n = n->m_Next)
        n->m_Parent = parent;
}

void GxSimpleTree::Attach(GxSimpleNode* node, GxSimpleNode* old, int mode) {
    node->m_Next = nullptr;
    if (!old)
        return;
    if (mode == kKeepAsSiblings) {
        node->m_Next = old;
        old->m_Prev = node;
    } else if (mode == kKeepAsChildren) {
        node->m_Child = old;
        old->m_Prev = nullptr;
        SetChainParent(old, node);
    }
}

GxSimpleNode* GxSimpleTree::InsertTop(GxSimpleNode* node, int mode) {
    if (!node)
        return nullptr;
    GxSimpleNode* old = m_Top;
    node->m_Parent = nullptr;
    node->m_Prev = nullptr;
    Attach(node, old, mode);
    m_Top = node;
    SetChainParent(node->m_Next, nullptr);
    return node;
}

GxSimpleNode* GxSimpleTree::InsertAfter(GxSimpleNode* sibling, GxSimpleNode* node, int mode) {
    if (!sibling)
        return InsertTop(node, mode);
    if (!node)
        return nullptr;
    GxSimpleNode* old = sibling->m_Next;
    node->m_Parent = sibling->m_Parent;
    node->m_Prev = sibling;
    sibling->m_Next = node;
    Attach(node, old, mode);
    SetChainParent(node->m_Next, node->m_Parent);
    return node;
}

GxSimpleNode* GxSimpleTree::InsertChild(GxSimpleNode* parent, GxSimpleNode* node, int mode) {
    if (!parent)
        return InsertTop(node, mode);
    if (!node)
        return nullptr;
    GxSimpleNode* old = parent->m_Child;
    parent->m_Child = node;
    node->m_Parent = parent;
    node->m_Prev = nullptr;
    Attach(node, old, mode);
    SetChainParent(node->m_Next, parent);
    return node;
}

GxSimpleNode* GxSimpleTree::Unlink(GxSimpleNode* node) {
    if (!node)
        node = m_Top;
    if (!node)
        return nullptr;
    if (node->m_Prev) {
        node->m_Prev->m_Next = node->m_Next;
    } else if (node->m_Parent && node->m_Parent->m_Child == node) {
        node->m_Parent->m_Child = node->m_Next;
    } else if (m_Top == node) {
        m_Top = node->m_Next;
    }
    if (node->m_Next)
        node->m_Next->m_Prev = node->m_Prev;
    node->m_Parent = nullptr;
    node->m_Prev = nullptr;
    node->m_Next = nullptr;
    return node;
}

void GxSimpleTree::DeleteSubtree(GxSimpleNode* node) {
    if (!node)
        return;
    // The node and every sibling after it go, so the chain simply ends before it.
    if (node->m_Prev) {
        node->m_Prev->m_Next = nullptr;
    } else if (node->m_Parent && node->m_Parent->m_Child == node) {
        node->m_Parent->m_Child = nullptr;
    } else if (m_Top == node) {
        m_Top = nullptr;
    }
    std::vector<GxSimpleNode*> chains{node};
    while (!chains.empty()) {
        GxSimpleNode* n = chains.back();
        chains.pop_back();
        while (n) {
            GxSimpleNode* next = n->m_Next;
            if (n->m_Child)
                chains.push_back(n->m_Child);
            delete n;
            n = next;
        }
    }
}
