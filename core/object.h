#pragma once
// The node of the object tree. Every game object has parents and children, finds its
// collaborators by class name, and passes input down to its children. The first parent
// to be destroyed deletes the object; a deleted object leaves all its parents' lists.

#include "core/exceptions.h"
#include "core/list.h"
#include "core/str.h"

#include <array>
#include <cstdint>
#include <type_traits>
#include <typeinfo>

class CObject;

// A walk's callback: returns true to go on.
using ObjectCallback = bool (*)(void* data, CObject* object);

class CObject {
public:
    static constexpr const char* kType = "CObject";
    explicit CObject(LList<CObject> parents);
    virtual ~CObject();
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;

    virtual bool HasType(const str& t) const;
    virtual void MouseMove(unsigned int x, unsigned int y);
    virtual void MouseDown(unsigned int button, bool down);
    virtual void KeyDown(unsigned int key, bool down);
    // The mouse wheel turned by whole notches, away from the player when positive.
    virtual void MouseWheel(int notches);
    virtual void UpdateInput();

    bool IsType(const str& t) const;

    void AddParent(CObject* p);
    void AddGlobal(CObject* g);
    void RemoveGlobal(CObject* g);

    CObject* GetChild();
    CObject* GetParent();
    CObject* GetHead();
    CObject* GetGlobal();

    CObject* GetChild(const str& t, bool exact, unsigned int n);
    CObject* GetParent(const str& t, bool exact, unsigned int n);
    CObject* GetGlobal(const str& t, bool exact, unsigned int n);
    CObject* FindChild(const str& t, bool exact, unsigned int n);
    CObject* FindParent(const str& t, bool exact, unsigned int n);
    CObject* GetList(LList<CObject>& list, const str& t, bool exact, unsigned int n);

    // Typed lookups: the n-th relative of class T or of a class derived from it, or null.
    // They look for T's own class name, so the compiler checks the class.
    template <class T> T* GetChild(unsigned int n = 1) { return As<T>(GetChild(TypeName<T>(), false, n)); }
    template <class T> T* GetParent(unsigned int n = 1) { return As<T>(GetParent(TypeName<T>(), false, n)); }
    template <class T> T* FindChild(unsigned int n = 1) { return As<T>(FindChild(TypeName<T>(), false, n)); }
    template <class T> T* FindParent(unsigned int n = 1) { return As<T>(FindParent(TypeName<T>(), false, n)); }
    // The tree's global object of class T, or null.
    template <class T> T* Find() { return As<T>(GetGlobal(TypeName<T>(), false, 1)); }
    // The tree's global object of class T; without it, XChildError at this object's type
    // followed by `context`.
    template <class T> T& Require(const char* context)
    {
        T* found = Find<T>();
        if (!found) throw XChildError(type + str(context));
        return *found;
    }

    bool IterateChildren(ObjectCallback fn, void* data);
    bool IterateList(LList<CObject>& list, ObjectCallback fn, void* data);

    str type;
    LList<CObject> children;
    LList<CObject> parents;
    LList<CObject>* globals = nullptr;

private:
    template <class T> static T* As(CObject* object);
    // T's class name, made once: lookups run every frame.
    template <class T> static const str& TypeName()
    {
        static const str name(T::kType);
        return name;
    }
    bool Matches(const str& t, bool exact) const;
    CObject* Find(LList<CObject> CObject::*relatives, const str& t, bool exact, unsigned int n);
    static void DeleteAll(LList<CObject>& list);
};

// `object` as a T, or null when it is none: a dynamic_cast whose answer is kept for the
// object's class. The tree's walks cast their objects every frame, and each dynamic_cast
// compares class names as text. Game classes derive from CObject along a single line, so
// an object of a class known to derive from T converts with a static_cast. Classes share
// the slots of a small table; one that finds its slot taken asks again.
template <class T> T* ObjectCast(CObject* object)
{
    static_assert(std::is_base_of_v<CObject, T>);
    struct Known {
        const std::type_info* kind = nullptr;
        bool isT = false;
    };
    if (!object) return nullptr;
    thread_local std::array<Known, 64> known;
    const std::type_info* kind = &typeid(*object);
    Known& slot = known[(reinterpret_cast<std::uintptr_t>(kind) >> 3) % known.size()];
    if (slot.kind != kind) slot = Known{kind, dynamic_cast<T*>(object) != nullptr};
    return slot.isT ? static_cast<T*>(object) : nullptr;
}

template <class T> T* CObject::As(CObject* object) { return ObjectCast<T>(object); }
