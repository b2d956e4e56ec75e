#include <windows.h>

#include "link/ModuleLifetime.h"

namespace tb::link {

bool StayLoadedUntilProcessExit() {
    HMODULE self = nullptr;
    return GetModuleHandleExW(
               GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
               reinterpret_cast<LPCWSTR>(&StayLoadedUntilProcessExit), &self) != 0;
}

}  // namespace tb::link
