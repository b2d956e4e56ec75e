// Loading the resource library with the dynamic loader.
#include <dlfcn.h>

#include "services/ResourceLibrary.h"

namespace tb::services {

void* ResourceLibrary::Load(const std::string& path) {
    return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* ResourceLibrary::Export(const char* name) const { return dlsym(handle_, name); }

void ResourceLibrary::Unload() {
    if (handle_ != nullptr) dlclose(handle_);
    handle_ = nullptr;
}

}  // namespace tb::services
