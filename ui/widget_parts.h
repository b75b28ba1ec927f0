#pragma once
// The children that widgets make for themselves and look up again every frame: the mouse
// input that records the pointer, and the text that shows the widget's caption or value.

#include "core/object.h"

class CMouseInput;
class CText;

// The widget's first child that is a mouse input; without one, XChildError at the
// widget's type + context.
CMouseInput& WidgetMouse(CObject* widget, const char* context);

// The widget's first child that is a text; without one, XChildError likewise.
CText& WidgetText(CObject* widget, const char* context);
