#pragma once

// Intrusive circular singly-linked list. Members derive from LListNode; the list's sentinel
// head closes the circle and the list remembers its last node, so that both ends are reached
// in constant time. Membership does not imply ownership: the list never deletes a node.
// A node is in at most one list at a time (per LListNode base it derives from).
class LListNode {
public:
    LListNode() = default;
    LListNode(const LListNode&) = delete;
    LListNode& operator=(const LListNode&) = delete;

    bool IsLinked() const { return m_next != nullptr; }

private:
    friend class LList;
    LListNode* m_next = nullptr;
};

class LList {
public:
    LList();
    LList(const LList&) = delete;
    LList& operator=(const LList&) = delete;
    // Unlinks every remaining node (without deleting it).
    ~LList();

    bool IsEmpty() const { return m_head.m_next == &m_head; }
    int Count() const;

    void InsertFront(LListNode* node);
    void Append(LListNode* node);
    // Inserts node right after `after`; a null `after` inserts at the front.
    void InsertAfter(LListNode* after, LListNode* node);
    // Unlinks node; returns false when it is not in this list.
    bool Remove(LListNode* node);
    // Unlinks and returns the first node, or null.
    LListNode* PopFront();
    // Unlinks every node.
    void Clear();

    bool Contains(const LListNode* node) const;

    // Forward iteration: for (LListNode* n = list.First(); n; n = list.Next(n)).
    LListNode* First() const { return IsEmpty() ? nullptr : m_head.m_next; }
    LListNode* Last() const { return IsEmpty() ? nullptr : m_last; }
    LListNode* Next(const LListNode* node) const
    {
        return node->m_next == &m_head ? nullptr : node->m_next;
    }

private:
    LListNode m_head;
    LListNode* m_last;
};

// Typed view of an LList whose members are T (T derives from LListNode, possibly among other
// bases). The node-to-member conversion is a static_cast, so it also works with multiple bases.
template <class T>
class LListOf {
public:
    LList& Raw() { return m_list; }
    const LList& Raw() const { return m_list; }

    bool IsEmpty() const { return m_list.IsEmpty(); }
    int Count() const { return m_list.Count(); }
    void InsertFront(T* item) { m_list.InsertFront(item); }
    void Append(T* item) { m_list.Append(item); }
    void InsertAfter(T* after, T* item) { m_list.InsertAfter(after, item); }
    bool Remove(T* item) { return m_list.Remove(item); }
    bool Contains(const T* item) const { return m_list.Contains(item); }
    void Clear() { m_list.Clear(); }
    T* PopFront() { return Cast(m_list.PopFront()); }

    T* First() const { return Cast(m_list.First()); }
    T* Last() const { return Cast(m_list.Last()); }
    T* Next(const T* item) const { return Cast(m_list.Next(item)); }

    // Range-for support; the iterator reads the next node before the body runs, so the body
    // may remove (and even delete) the current item.
    class Iterator {
    public:
        Iterator(const LList* list, LListNode* node)
            : m_list(list), m_node(node), m_next(node ? list->Next(node) : nullptr) {}
        T* operator*() const { return static_cast<T*>(m_node); }
        Iterator& operator++()
        {
            m_node = m_next;
            m_next = m_node ? m_list->Next(m_node) : nullptr;
            return *this;
        }
        bool operator!=(const Iterator& other) const { return m_node != other.m_node; }

    private:
        const LList* m_list;
        LListNode* m_node;
        LListNode* m_next;
    };
    Iterator begin() const { return Iterator(&m_list, m_list.First()); }
    Iterator end() const { return Iterator(&m_list, nullptr); }

private:
    static T* Cast(LListNode* node) { return node ? static_cast<T*>(node) : nullptr; }
    LList m_list;
};
