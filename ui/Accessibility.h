// What assistive technology sees of a control.
//
// The accessible name is the caption (as it reads at the time), or the
// template's spoken name for a control without a caption of its own (edit
// boxes, run-time texts). The
// accessible description is the control id, so automation can address a
// control by the same number the program uses.
#pragma once

#include <QWidget>

#include "resources/dialogs/DialogTemplate.h"

namespace tb::ui {

void ApplyAccessibility(QWidget& widget, const resources::ControlTemplate& control);

// The accessible description that marks control `id`.
QString ControlIdDescription(int id);

}  // namespace tb::ui
