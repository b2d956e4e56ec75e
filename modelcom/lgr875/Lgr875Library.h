// The model-875 library's state: its profile and its list of known loggers.
#pragma once

#include "modelcom/ModelLibrary.h"

namespace tb::modelcom {

inline constexpr uint16_t kLgr875TypeCode = 0x0480;

ModelLibrary& Lgr875Library();

}  // namespace tb::modelcom
