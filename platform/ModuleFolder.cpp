#include "platform/ModuleFolder.h"

#include <dlfcn.h>

namespace tb::platform {

std::string ModuleFolder(const void* address) {
    Dl_info info{};
    if (::dladdr(address, &info) == 0 || info.dli_fname == nullptr) return {};
    const std::string path = info.dli_fname;
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace tb::platform
