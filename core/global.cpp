#include "core/global.h"

CGlobal::CGlobal(const LList<CObject>& parents) : CObject(parents)
{
    type.Load("CGlobal");
    AddGlobal(this);
}

CGlobal::~CGlobal() { RemoveGlobal(this); }

bool CGlobal::HasType(str t) const { return t == "CGlobal" || CObject::HasType(t); }
