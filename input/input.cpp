#include "input/input.h"

CInput::CInput(const LList<CObject>& parents) : CObject(parents) { type.Load(kType); }

bool CInput::HasType(const str& t) const { return t == kType || CObject::HasType(t); }

void CInput::TakeOverButton(unsigned int i) { SetButton(i, true); }
