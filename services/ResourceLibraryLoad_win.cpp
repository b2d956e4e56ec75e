// Loading the resource library with LoadLibraryExW. The path is UTF-8; the
// named file is loaded (its own imports are searched beside it first), and
// a missing or broken file shows no system error box.
#include <windows.h>

#include <string>

#include "platform/WideText.h"
#include "services/ResourceLibrary.h"

namespace tb::services {
namespace {

using platform::Wide;

}  // namespace

void* ResourceLibrary::Load(const std::string& path) {
    if (path.empty()) return nullptr;
    std::wstring wide = Wide(path);
    for (wchar_t& c : wide)
        if (c == L'/') c = L'\\';
    // The altered search order needs a full path: a relative one is taken
    // from the current folder, as the other systems' loader does.
    const DWORD length = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (length == 0) return nullptr;
    std::wstring full(length, L'\0');
    full.resize(GetFullPathNameW(wide.c_str(), length, full.data(), nullptr));
    const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE module = LoadLibraryExW(full.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    SetErrorMode(previous);
    return reinterpret_cast<void*>(module);
}

void* ResourceLibrary::Export(const char* name) const {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
}

void ResourceLibrary::Unload() {
    if (handle_ != nullptr) FreeLibrary(static_cast<HMODULE>(handle_));
    handle_ = nullptr;
}

}  // namespace tb::services
