// The GUI thread's pump hook: every wait of the program and the libraries
// lets Qt process the window's events, so the window keeps painting.
#pragma once

#include "platform/Pump.h"

namespace tb::ui {

// Processes the GUI thread's pending events once.
void PumpQtEvents();

// Installs PumpQtEvents as the calling thread's hook while the object lives.
class ScopedQtPumpHook {
  public:
    ScopedQtPumpHook();

  private:
    platform::ScopedPumpHook hook_;
};

}  // namespace tb::ui
