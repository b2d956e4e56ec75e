#include <windows.h>

#include <cstdlib>
#include <string>

#include "journal/LoginName.h"

namespace tb::journal {
namespace {

std::string Utf8(const wchar_t* text) {
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1) return {};
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), bytes, nullptr, nullptr);
    utf8.resize(static_cast<std::size_t>(bytes) - 1);
    return utf8;
}

}  // namespace

// The account's name from the system (a user name has at most 256
// characters); USERNAME of the environment when the call fails.
std::string LoginName() {
    wchar_t name[257] = {};
    DWORD size = sizeof name / sizeof name[0];
    if (GetUserNameW(name, &size) && name[0] != L'\0') return Utf8(name);
    if (const wchar_t* user = _wgetenv(L"USERNAME"); user && *user) return Utf8(user);
    return {};
}

}  // namespace tb::journal
