// The main dialog, the about box and the settings page.
#include "resources/dialogs/AboutIds.h"
#include "resources/dialogs/ControlMakers.h"
#include "resources/dialogs/DialogCatalog.h"
#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/SettingsIds.h"

namespace tb::resources::catalog {
namespace {

using namespace make;

constexpr ControlTemplate kAboutControls[] = {
    ProgramIcon({16, 16, 32, 32}, "Trimbench"),
    Text(kNoControlId, "Trimbench Version 1.31", {64, 22, 220, 20}),
    Button(about::kOkButton, "OK", {210, 62, 80, 28}),
};

constexpr ControlTemplate kSettingsControls[] = {
    Group(kNoControlId, "温度単位", {16, 16, 220, 72}),
    Radio(settings::kCelsiusRadio, "℃", {36, 44, 80, 24}, true),
    Radio(settings::kFahrenheitRadio, "ﾟF", {130, 44, 80, 24}, false),
    HiddenText(kNoControlId, {16, 100, 200, 20}),
};

}  // namespace

const DialogTemplate& AboutDialog() {
    static constexpr DialogTemplate kDialog{kDialogAbout, "バージョン情報", 306, 104,
                                            kAboutControls};
    return kDialog;
}

const DialogTemplate& MainDialog() {
    static constexpr DialogTemplate kDialog{kDialogMain, "Trimbench", 0, 0, {}};
    return kDialog;
}

const DialogTemplate& SettingsDialog() {
    static constexpr DialogTemplate kDialog{kDialogSettings, "  設定  ", kPageWidth, kPageHeight,
                                            kSettingsControls};
    return kDialog;
}

}  // namespace tb::resources::catalog
