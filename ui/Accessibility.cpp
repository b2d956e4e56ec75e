#include "ui/Accessibility.h"

namespace tb::ui {

QString ControlIdDescription(int id) { return QString::number(id); }

void ApplyAccessibility(QWidget& widget, const resources::ControlTemplate& control) {
    const QString spoken = QString::fromUtf8(control.accessibleName);
    if (!spoken.isEmpty()) {
        widget.setAccessibleName(spoken);
    } else if (control.caption[0] != '\0') {
        widget.setAccessibleName(QString::fromUtf8(control.caption));
    }
    if (control.id != resources::kNoControlId) {
        widget.setAccessibleDescription(ControlIdDescription(control.id));
    }
}

}  // namespace tb::ui
