#include "ui/widget_parts.h"

#include "input/mouse_input.h"
#include "ui/text.h"

namespace {

template <class Child>
Child& RequireChild(CObject* widget, const char* childType, const char* context)
{
    auto* child = dynamic_cast<Child*>(widget->GetChild(str(childType), false, 1));
    if (!child) throw XChildError(widget->type + str(context));
    return *child;
}

}  // namespace

CMouseInput& WidgetMouse(CObject* widget, const char* context)
{
    return RequireChild<CMouseInput>(widget, "CMouseInput", context);
}

CText& WidgetText(CObject* widget, const char* context) { return RequireChild<CText>(widget, "CText", context); }
