#include "platform/cp210x/LatchRuntimeLibrary.h"

#include <dlfcn.h>

#include "platform/ModuleFolder.h"

namespace tb::cp210x {
namespace {

// Beside the library this code is linked into first.
void* OpenByName(const std::string& name) {
    if (name.find('/') == std::string::npos) {
        const std::string folder =
            platform::ModuleFolder(reinterpret_cast<const void*>(&OpenByName));
        if (!folder.empty()) {
            if (void* handle = ::dlopen((folder + '/' + name).c_str(), RTLD_NOW | RTLD_LOCAL))
                return handle;
        }
    }
    return ::dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
}

}  // namespace

LatchRuntimeLibrary::LatchRuntimeLibrary(const std::string& name) : handle_(OpenByName(name)) {
    if (handle_)
        readLatch_ = reinterpret_cast<ReadLatchFunction>(::dlsym(handle_, "CP210xRT_ReadLatch"));
}

LatchRuntimeLibrary::~LatchRuntimeLibrary() {
    if (handle_) ::dlclose(handle_);
}

}  // namespace tb::cp210x
