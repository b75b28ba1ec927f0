#include "input/input.h"

CInput::CInput(const LList<CObject>& parents) : CObject(parents) { type.Load("CInput"); }

bool CInput::HasType(str t) const { return t == "CInput" || CObject::HasType(t); }

void CInput::TakeOverButton(unsigned int i) { SetButton(i, true); }
