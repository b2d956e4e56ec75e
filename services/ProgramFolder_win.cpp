// The running program's folder, from GetModuleFileNameW: UTF-8, with '/'
// between its parts as the rest of the program joins paths.
#include <windows.h>

#include <string>

#include "services/PageServices.h"

namespace tb::services {

std::string ProgramFolder() {
    // Long paths (\\?\ prefixed) can exceed MAX_PATH: grow until it fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return ".";
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        if (path.size() >= 32768) return ".";
        path.resize(path.size() * 2);
    }
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return ".";
    path.resize(slash);
    for (wchar_t& c : path)
        if (c == L'\\') c = L'/';
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, path.data(), static_cast<int>(path.size()),
                                          nullptr, 0, nullptr, nullptr);
    std::string folder(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), folder.data(),
                        bytes, nullptr, nullptr);
    return folder.empty() ? "." : folder;
}

}  // namespace tb::services
