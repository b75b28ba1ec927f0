#include "core/global.h"

CGlobal::CGlobal(const LList<CObject>& parents) : CObject(parents)
{
    type.Load(kType);
    AddGlobal(this);
}

CGlobal::~CGlobal() { RemoveGlobal(this); }

bool CGlobal::HasType(const str& t) const { return t == kType || CObject::HasType(t); }
