#include <windows.h>

#include "platform/cp210x/LatchRuntimeLibrary.h"

namespace tb::cp210x {
namespace {

// The folder of the module this code is linked into, with a trailing backslash.
std::string OwnFolder() {
    HMODULE self = nullptr;
    if (!GetModuleHandleExA(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            reinterpret_cast<LPCSTR>(&OwnFolder), &self))
        return {};
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(self, path, sizeof path);
    if (length == 0 || length >= sizeof path) return {};
    const std::string file(path, length);
    const size_t slash = file.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : file.substr(0, slash + 1);
}

HMODULE OpenByName(const std::string& name) {
    if (name.find_first_of("\\/") == std::string::npos) {
        const std::string folder = OwnFolder();
        if (!folder.empty()) {
            if (HMODULE module = LoadLibraryA((folder + name).c_str())) return module;
        }
    }
    return LoadLibraryA(name.c_str());
}

}  // namespace

LatchRuntimeLibrary::LatchRuntimeLibrary(const std::string& name) : handle_(OpenByName(name)) {
    if (handle_)
        readLatch_ = reinterpret_cast<ReadLatchFunction>(reinterpret_cast<void*>(
            GetProcAddress(static_cast<HMODULE>(handle_), "CP210xRT_ReadLatch")));
}

LatchRuntimeLibrary::~LatchRuntimeLibrary() {
    if (handle_) FreeLibrary(static_cast<HMODULE>(handle_));
}

}  // namespace tb::cp210x
