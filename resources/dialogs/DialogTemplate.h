// Dialog templates: every dialog of the program as data.
//
// A template lists a dialog's controls with their ids, kinds, captions,
// positions and sizes (in pixels), length limits and radio groups. The Qt
// layer builds the widgets from it; nothing else needs to know where a
// control sits.
#pragma once

#include <span>

namespace tb::resources {

// The id of a control that nobody addresses (arrows, decorations).
inline constexpr int kNoControlId = -1;

enum class ControlKind {
    GroupBox,
    CheckBox,
    RadioButton,
    StaticText,
    EditBox,
    PushButton,
    Icon,
    ListView,
    TabControl
};

struct ControlTemplate {
    int id = kNoControlId;
    ControlKind kind = ControlKind::StaticText;
    const char* caption = "";
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    // Edit boxes: the most characters the box takes (0: no limit).
    int maxLength = 0;
    // Radio buttons: true on the first button of a group; the group runs up
    // to the next button that starts a group or to the next control that is
    // not a radio button.
    bool groupStart = false;
    bool hidden = false;
    // What a screen reader announces for a control without a caption of its
    // own (edit boxes, run-time texts); empty means "the caption".
    const char* accessibleName = "";
};

struct DialogTemplate {
    int id = 0;
    const char* caption = "";
    int width = 0;
    int height = 0;
    std::span<const ControlTemplate> controls;
};

// The template of dialog `id`, or nullptr when the program has none.
const DialogTemplate* FindDialogTemplate(int id);

// Ids of every dialog the program carries, in ascending order.
std::span<const int> DialogTemplateIds();

}  // namespace tb::resources
