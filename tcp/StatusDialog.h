// The hidden status dialog "通信状況" of the thread's connection: the target of
// its socket events, with a state field and a time-stamped event log.
#pragma once

#include <string>

#include "tcp/ConnectionState.h"

namespace tb::tcp {

inline constexpr char kStatusDialogCaption[] = "通信状況";
inline constexpr char kAbortButtonText[] = "中止";

// Creates the dialog as a child of the notify window (none when it has none)
// and stores it in the thread's state. False when it cannot be created.
bool CreateStatusDialog(ConnectionState& state);

// "%04d/%02d/%02d %02d:%02d %02d(%03d)" of the local time now.
std::string StatusTimeStamp();

}  // namespace tb::tcp
