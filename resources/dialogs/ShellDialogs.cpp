// The main dialog, the about box and the settings page.
#include "resources/dialogs/DialogCatalog.h"

namespace tb::resources::catalog {
namespace {

using K = ControlKind;

constexpr ControlTemplate kAboutControls[] = {
    {.id = kNoControlId,
     .kind = K::Icon,
     .caption = "128",
     .x = 16,
     .y = 16,
     .width = 32,
     .height = 32,
     .accessibleName = "Trimbench"},
    {.id = kNoControlId,
     .kind = K::StaticText,
     .caption = "Trimbench Version 1.31",
     .x = 64,
     .y = 22,
     .width = 220,
     .height = 20},
    {.id = 1, .kind = K::PushButton, .caption = "OK", .x = 210, .y = 62, .width = 80, .height = 28},
};

constexpr ControlTemplate kSettingsControls[] = {
    {.id = kNoControlId,
     .kind = K::GroupBox,
     .caption = "温度単位",
     .x = 16,
     .y = 16,
     .width = 220,
     .height = 72},
    {.id = 1000,
     .kind = K::RadioButton,
     .caption = "℃",
     .x = 36,
     .y = 44,
     .width = 80,
     .height = 24,
     .groupStart = true},
    {.id = 1001,
     .kind = K::RadioButton,
     .caption = "ﾟF",
     .x = 130,
     .y = 44,
     .width = 80,
     .height = 24},
    {.id = kNoControlId,
     .kind = K::StaticText,
     .caption = "",
     .x = 16,
     .y = 100,
     .width = 200,
     .height = 20,
     .hidden = true},
};

}  // namespace

const DialogTemplate& AboutDialog() {
    static constexpr DialogTemplate kDialog{.id = 100,
                                            .caption = "バージョン情報",
                                            .width = 306,
                                            .height = 104,
                                            .controls = kAboutControls};
    return kDialog;
}

const DialogTemplate& MainDialog() {
    static constexpr DialogTemplate kDialog{
        .id = 101, .caption = "Trimbench", .width = 0, .height = 0, .controls = {}};
    return kDialog;
}

const DialogTemplate& SettingsDialog() {
    static constexpr DialogTemplate kDialog{.id = 131,
                                            .caption = "  設定  ",
                                            .width = kPageWidth,
                                            .height = kPageHeight,
                                            .controls = kSettingsControls};
    return kDialog;
}

}  // namespace tb::resources::catalog
