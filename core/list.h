#pragma once
// A singly linked list of object pointers with one embedded iteration cursor. A removal
// re-arms the cursor at the head, so a loop that deletes the current item (whose
// destructor removes it from the list) simply goes on with the new first item.

#include "core/alert.h"
#include "core/str.h"
#include "platform/win32.h"

#include <initializer_list>
#include <type_traits>

template <class T>
struct LNode {
    T* item;
    LNode* next;
};

template <class T>
class LList {
public:
    // LList<CObject>(false, 3, a, nullptr, b): the first `count` items, nulls skipped.
    template <class... Items>
    LList(bool owns, int count, Items... items) : owns(owns)
    {
        static_assert((std::is_convertible_v<Items, T*> && ...), "list items must be object pointers");
        try {
            const std::initializer_list<T*> given{static_cast<T*>(items)...};
            int remaining = count;
            for (T* item : given)
                if (remaining-- > 0) Append(item);
        } catch (...) {
            Alert(str("Error in LList constructor with variable arguments."), str("Error"), MB_ICONERROR);
        }
    }

    LList(const LList& o) : owns(o.owns) { AppendAll(o); }

    LList& operator=(const LList& o)
    {
        if (this != &o) {
            Clear();
            owns = o.owns;
            AppendAll(o);
        }
        return *this;
    }

    ~LList() { Clear(); }

    bool Insert(LNode<T>* n)
    {
        if (!n) return false;
        n->next = nullptr;
        if (!head) {
            head = tail = cursor = n;
            return true;
        }
        LNode<T>* last = head;
        while (last->next) last = last->next;  // tail is not kept through removals
        last->next = n;
        tail = n;
        return true;
    }

    bool Append(T* item)
    {
        if (!item) return false;
        return Insert(new LNode<T>{item, nullptr});
    }

    bool Remove(T* item)
    {
        LNode<T>* before = Find(item);
        if (!before) return false;
        if (before == HeadMarker()) {
            NextHead(false);
        } else {
            LNode<T>* gone = before->next;
            before->next = gone->next;
            if (tail == gone) tail = before;
            delete gone;
        }
        cursor = head;
        return true;
    }

    bool NextHead(bool del)
    {
        if (!head) return false;
        LNode<T>* gone = head;
        head = gone->next;
        if (tail == gone) tail = nullptr;
        if (cursor == gone) cursor = head;
        if (del && gone->item) delete gone->item;
        delete gone;
        return head != nullptr;
    }

    // The node before the first one holding `item`; HeadMarker() when the head holds it;
    // null when no node does.
    LNode<T>* Find(T* item) const
    {
        if (!head) return nullptr;
        if (head->item == item) return HeadMarker();
        for (LNode<T>* n = head; n->next; n = n->next)
            if (n->next->item == item) return n;
        return nullptr;
    }

    static LNode<T>* HeadMarker() { return reinterpret_cast<LNode<T>*>(&headMarker); }

    // One cursor step: the current item and true, or, at the end of a pass, false with
    // the cursor back at the head.
    bool Next(T*& item)
    {
        if (!cursor) {
            cursor = head;
            item = nullptr;
            return false;
        }
        item = cursor->item;
        cursor = cursor->next;
        return true;
    }

    void Rewind() { cursor = head; }
    void Clear()
    {
        while (NextHead(owns)) {
        }
        head = tail = cursor = nullptr;
    }

    bool Empty() const { return head == nullptr; }
    bool Contains(const T* item) const
    {
        for (LNode<T>* n = head; n; n = n->next)
            if (n->item == item) return true;
        return false;
    }
    unsigned Count() const
    {
        unsigned count = 0;
        for (LNode<T>* n = head; n; n = n->next) ++count;
        return count;
    }

    bool owns = false;
    LNode<T>* head = nullptr;
    LNode<T>* tail = nullptr;
    LNode<T>* cursor = nullptr;

private:
    void AppendAll(const LList& o)
    {
        for (LNode<T>* n = o.head; n; n = n->next) Append(n->item);
        cursor = head;
    }

    static inline char headMarker = 0;
};
