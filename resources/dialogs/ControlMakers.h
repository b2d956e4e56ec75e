// Short constructors for template controls, so that each dialog reads as a
// table: one control per line, in tab order.
#pragma once

#include "resources/dialogs/DialogTemplate.h"

namespace tb::resources::make {

struct Box {
    int x, y, width, height;
};

constexpr ControlTemplate Control(int id, ControlKind kind, const char* caption, Box box) {
    ControlTemplate control;
    control.id = id;
    control.kind = kind;
    control.caption = caption;
    control.x = box.x;
    control.y = box.y;
    control.width = box.width;
    control.height = box.height;
    return control;
}

constexpr ControlTemplate Group(int id, const char* caption, Box box) {
    return Control(id, ControlKind::GroupBox, caption, box);
}

constexpr ControlTemplate Check(int id, const char* caption, Box box) {
    return Control(id, ControlKind::CheckBox, caption, box);
}

// `first` marks the first button of a radio group.
constexpr ControlTemplate Radio(int id, const char* caption, Box box, bool first) {
    ControlTemplate control = Control(id, ControlKind::RadioButton, caption, box);
    control.groupStart = first;
    return control;
}

constexpr ControlTemplate Text(int id, const char* caption, Box box, const char* spoken = "") {
    ControlTemplate control = Control(id, ControlKind::StaticText, caption, box);
    control.accessibleName = spoken;
    return control;
}

constexpr ControlTemplate HiddenText(int id, Box box) {
    ControlTemplate control = Control(id, ControlKind::StaticText, "", box);
    control.hidden = true;
    return control;
}

constexpr ControlTemplate Edit(int id, Box box, int maxLength, const char* spoken) {
    ControlTemplate control = Control(id, ControlKind::EditBox, "", box);
    control.maxLength = maxLength;
    control.accessibleName = spoken;
    return control;
}

constexpr ControlTemplate Button(int id, const char* caption, Box box) {
    return Control(id, ControlKind::PushButton, caption, box);
}

constexpr ControlTemplate ProgramIcon(Box box, const char* spoken) {
    ControlTemplate control = Control(kNoControlId, ControlKind::Icon, "128", box);
    control.accessibleName = spoken;
    return control;
}

// `columns`: the column headings separated by '|'.
constexpr ControlTemplate List(int id, const char* columns, Box box, const char* spoken) {
    ControlTemplate control = Control(id, ControlKind::ListView, columns, box);
    control.accessibleName = spoken;
    return control;
}

}  // namespace tb::resources::make
