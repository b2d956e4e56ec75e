#include <windows.h>

#include "platform/ModuleFolder.h"
#include "platform/cp210x/LatchRuntimeLibrary.h"

namespace tb::cp210x {
namespace {

// Beside the module this code is linked into first.
HMODULE OpenByName(const std::string& name) {
    if (name.find_first_of("\\/") == std::string::npos) {
        const std::string folder =
            platform::ModuleFolder(reinterpret_cast<const void*>(&OpenByName));
        if (!folder.empty()) {
            if (HMODULE module = LoadLibraryA((folder + '\\' + name).c_str())) return module;
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
