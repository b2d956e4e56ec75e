// Creates the Qt widget of one template control.
#pragma once

#include <QWidget>

#include "resources/dialogs/DialogTemplate.h"

namespace tb::ui {

// The widget for `control`, placed and sized as the template says, child of
// `parent`, with its accessible name and description set.
QWidget* CreateControl(const resources::ControlTemplate& control, QWidget* parent);

}  // namespace tb::ui
