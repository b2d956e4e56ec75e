// The groups of dialog templates that DialogTable.cpp puts in one table.
#pragma once

#include "resources/dialogs/DialogTemplate.h"

namespace tb::resources::catalog {

// Every model page has this size, so the sheet fits all of them.
inline constexpr int kPageWidth = 600;
inline constexpr int kPageHeight = 290;

const DialogTemplate& AboutDialog();
const DialogTemplate& MainDialog();
const DialogTemplate& SettingsDialog();
const DialogTemplate& Lgr820Dialog();
const DialogTemplate& Lgr890Dialog();
const DialogTemplate& Lgr830Dialog();
const DialogTemplate& Lgr835Dialog();
const DialogTemplate& Lgr850Dialog();
const DialogTemplate& Lgr870Dialog();
const DialogTemplate& Lgr875Dialog();

}  // namespace tb::resources::catalog
