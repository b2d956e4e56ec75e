#include "platform/cp210x/LatchRuntimeLibrary.h"

#include <dlfcn.h>

namespace tb::cp210x {
namespace {

// The folder of the object this code is linked into, with a trailing slash.
std::string OwnFolder() {
    Dl_info info{};
    if (::dladdr(reinterpret_cast<void*>(&OwnFolder), &info) == 0 || !info.dli_fname) return {};
    const std::string path = info.dli_fname;
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

void* OpenByName(const std::string& name) {
    if (name.find('/') == std::string::npos) {
        const std::string folder = OwnFolder();
        if (!folder.empty()) {
            if (void* handle = ::dlopen((folder + name).c_str(), RTLD_NOW | RTLD_LOCAL))
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
