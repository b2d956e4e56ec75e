#include "ui/Accessibility.h"

#include "services/StringOverride.h"

namespace tb::ui {

QString ControlIdDescription(int id) { return QString::number(id); }

// A control with a caption is announced by its caption as it stands (Qt
// follows run-time changes of it); only caption-less controls get a name.
void ApplyAccessibility(QWidget& widget, const resources::ControlTemplate& control) {
    const QString spoken = QString::fromStdString(services::TemplateText(control.accessibleName));
    if (!spoken.isEmpty()) widget.setAccessibleName(spoken);
    if (control.id != resources::kNoControlId) {
        widget.setAccessibleDescription(ControlIdDescription(control.id));
    }
}

}  // namespace tb::ui
