#include "ui/QtPumpHook.h"

#include <QCoreApplication>

namespace tb::ui {

void PumpQtEvents() {
    // Input, timers and paint requests; deferred deletions wait for the
    // outer event loop, so no widget disappears under a running operation.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

ScopedQtPumpHook::ScopedQtPumpHook() : hook_(PumpQtEvents) {}

}  // namespace tb::ui
