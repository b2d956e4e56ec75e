// The folder of a loaded module (the program or a shared library), for code
// that finds files beside the library it is linked into.
#pragma once

#include <string>

#include "platform/Api.h"

namespace tb::platform {

// The folder of the module that holds `address` (pass the address of a
// function of the calling module's own), without a trailing separator; empty
// when the system cannot tell or the module's path names no folder.
// ModuleFolder.cpp: dladdr; ModuleFolder_win.cpp: GetModuleHandleEx.
TB_PLATFORM_API std::string ModuleFolder(const void* address);

}  // namespace tb::platform
