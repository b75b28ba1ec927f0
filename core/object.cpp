#include "core/object.h"

CObject::CObject(LList<CObject> parentList)
    : type("CObject"), children(false, 0), parents(parentList)
{
    CObject* p;
    while (parents.Next(p)) p->children.Append(this);
    if (parents.Empty()) globals = new LList<CObject>(false, 0);
}

CObject::~CObject()
{
    for (LNode<CObject>* n = parents.head; n; n = n->next) n->item->children.Remove(this);

    // A child removes itself from this list when it dies, which re-arms the cursor at
    // the new first child: the loop always continues from the head.
    DeleteAll(children);

    if (globals) {
        DeleteAll(*globals);
        delete globals;
        globals = nullptr;
    } else {
        // A registered object that is not a CGlobal must not stay behind in the list.
        RemoveGlobal(this);
    }
    parents.Clear();
    children.Clear();
}

void CObject::DeleteAll(LList<CObject>& list)
{
    CObject* o;
    list.Rewind();
    while (list.Next(o)) {
        list.Remove(o);
        delete o;
    }
}

bool CObject::HasType(const str& t) const { return t == kType; }
bool CObject::IsType(const str& t) const { return t == type; }

void CObject::MouseMove(unsigned int x, unsigned int y)
{
    CObject* c;
    while (children.Next(c)) c->MouseMove(x, y);
}

void CObject::MouseDown(unsigned int button, bool down)
{
    CObject* c;
    while (children.Next(c)) c->MouseDown(button, down);
}

void CObject::KeyDown(unsigned int key, bool down)
{
    CObject* c;
    while (children.Next(c)) c->KeyDown(key, down);
}

void CObject::MouseWheel(int notches)
{
    CObject* c;
    while (children.Next(c)) c->MouseWheel(notches);
}

void CObject::UpdateInput()
{
    CObject* c;
    while (children.Next(c)) c->UpdateInput();
}

void CObject::AddParent(CObject* p)
{
    if (!p) return;
    parents.Append(p);
    p->children.Append(this);
}

void CObject::AddGlobal(CObject* g)
{
    CObject* root = GetHead();
    if (g && root->globals) root->globals->Append(g);
}

void CObject::RemoveGlobal(CObject* g)
{
    CObject* root = GetHead();
    if (!g || !root->globals) return;
    if (root->globals->Remove(g) && root->globals->owns) delete g;
}

CObject* CObject::GetChild() { return children.head ? children.head->item : nullptr; }
CObject* CObject::GetParent() { return parents.head ? parents.head->item : nullptr; }

CObject* CObject::GetHead()
{
    CObject* o = this;
    while (CObject* p = o->GetParent()) o = p;
    return o;
}

CObject* CObject::GetGlobal()
{
    LList<CObject>* list = GetHead()->globals;
    return list && list->head ? list->head->item : nullptr;
}

bool CObject::Matches(const str& t, bool exact) const
{
    return exact ? IsType(t) : HasType(t);
}

CObject* CObject::GetList(LList<CObject>& list, const str& t, bool exact, unsigned int n)
{
    CObject* result = nullptr;
    CObject* o;
    while (n > 0 && !result && list.Next(o))
        if (o->Matches(t, exact) && --n == 0) result = o;
    list.Rewind();
    return result;
}

CObject* CObject::GetChild(const str& t, bool exact, unsigned int n)
{
    return GetList(children, t, exact, n);
}

CObject* CObject::GetParent(const str& t, bool exact, unsigned int n)
{
    return GetList(parents, t, exact, n);
}

CObject* CObject::GetGlobal(const str& t, bool exact, unsigned int n)
{
    LList<CObject>* list = GetHead()->globals;
    return list ? GetList(*list, t, exact, n) : nullptr;
}

// The first direct match, else depth-first through the relatives in order; every
// relative whose own search finds an n-th match counts one down.
CObject* CObject::Find(LList<CObject> CObject::*relatives, const str& t, bool exact, unsigned int n)
{
    if (n == 0) return nullptr;
    LList<CObject>& list = this->*relatives;
    if (CObject* direct = GetList(list, t, exact, n)) return direct;
    CObject* result = nullptr;
    CObject* o;
    while (list.Next(o)) {
        CObject* r = o->Find(relatives, t, exact, n);
        if (r && --n == 0) {
            result = r;
            break;
        }
    }
    list.Rewind();
    return result;
}

CObject* CObject::FindChild(const str& t, bool exact, unsigned int n)
{
    return Find(&CObject::children, t, exact, n);
}

CObject* CObject::FindParent(const str& t, bool exact, unsigned int n)
{
    return Find(&CObject::parents, t, exact, n);
}

bool CObject::IterateList(LList<CObject>& list, ObjectCallback fn, void* data)
{
    CObject* o;
    while (list.Next(o))
        if (!fn(data, o)) throw XIterationError(o->type);
    return true;
}

bool CObject::IterateChildren(ObjectCallback fn, void* data) { return IterateList(children, fn, data); }
