#include "app/ResourceLibrary.h"

#include <dlfcn.h>

#include "services/PageServices.h"

namespace tb::app {

ResourceLibrary::ResourceLibrary(const std::string& path) {
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) return;
    lookup_ = reinterpret_cast<Lookup>(dlsym(handle_, kResourceStringExport));
    if (lookup_ == nullptr) {
        dlclose(handle_);
        handle_ = nullptr;
    }
}

ResourceLibrary::~ResourceLibrary() {
    if (handle_ != nullptr) dlclose(handle_);
}

std::optional<std::string> ResourceLibrary::String(int id) const {
    if (lookup_ == nullptr) return std::nullopt;
    const char* text = lookup_(id);
    if (text == nullptr) return std::nullopt;
    return std::string(text);
}

std::string DefaultResourceLibraryPath() {
    return services::ProgramFolder() + "/" + kResourceLibraryName;
}

}  // namespace tb::app
