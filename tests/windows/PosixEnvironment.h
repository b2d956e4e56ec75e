// The environment calls that the shared test suites use, for the Windows C
// runtime (which has _putenv_s instead). Included first into every suite
// built for Windows (tests/windows/CMakeLists.txt).
#pragma once

#ifdef _WIN32
#include <cstdlib>
#include <string>

inline int setenv(const char* name, const char* value, int overwrite) {
    if (overwrite == 0 && std::getenv(name) != nullptr) return 0;
    return _putenv_s(name, value);
}

// A path's c_str() is wide on Windows.
inline int setenv(const char* name, const wchar_t* value, int overwrite) {
    const std::wstring wideName(name, name + std::char_traits<char>::length(name));
    if (overwrite == 0 && _wgetenv(wideName.c_str()) != nullptr) return 0;
    return _wputenv_s(wideName.c_str(), value);
}

inline int unsetenv(const char* name) { return _putenv_s(name, ""); }
#endif
