// The model-870 library's state: its profile and its list of known loggers.
#pragma once

#include "modelcom/ModelLibrary.h"

namespace tb::modelcom {

inline constexpr uint16_t kLgr870TypeCode = 0x0467;

ModelLibrary& Lgr870Library();

}  // namespace tb::modelcom
