// The running program's folder on Windows: where the marker file switches
// the diagnostics on and where the ring file and dumps are written, as for
// any Windows program that keeps its service logs beside itself.
#include <windows.h>

#include <vector>

#include "link/diag/Diagnostics.h"

namespace tb::link::diag {

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ProgramFolder() {
    std::vector<char> path(32768);
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0 || length >= path.size()) return ".";
    const std::string exe(path.data(), length);
    const size_t slash = exe.find_last_of("\\/");
    if (slash == std::string::npos) return ".";
    return exe.substr(0, slash);
}

}  // namespace tb::link::diag
