#include "link/LatchCheck.h"

#include <dlfcn.h>

#include <memory>

namespace tb::link {
namespace {

using ReadLatchFunction = int (*)(uint32_t, uint8_t*);

// The folder of the object this code is linked into, with a trailing slash.
std::string OwnFolder() {
    Dl_info info{};
    if (::dladdr(reinterpret_cast<void*>(&OwnFolder), &info) == 0 || !info.dli_fname) return {};
    const std::string path = info.dli_fname;
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// A bare name is looked for beside this library first (as its run path
// would), then wherever the dynamic loader looks.
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

class RuntimeLibrary {
  public:
    explicit RuntimeLibrary(const std::string& name) : handle_(OpenByName(name)) {}
    ~RuntimeLibrary() {
        if (handle_) ::dlclose(handle_);
    }
    RuntimeLibrary(const RuntimeLibrary&) = delete;
    RuntimeLibrary& operator=(const RuntimeLibrary&) = delete;

    bool Loaded() const { return handle_ != nullptr; }
    ReadLatchFunction ReadLatch() const {
        return handle_ ? reinterpret_cast<ReadLatchFunction>(::dlsym(handle_, "CP210xRT_ReadLatch"))
                       : nullptr;
    }

  private:
    void* handle_;
};

// Reads the latch through the named library; false when it cannot.
bool ReadLatchThrough(const std::string& name, uint32_t portHandle, uint8_t& latch) {
    RuntimeLibrary library(name);
    ReadLatchFunction read = library.ReadLatch();
    return read && read(portHandle, &latch) == 0;
}

}  // namespace

LatchOutcome CheckLatch(uint32_t portHandle, const LatchRuntimeNames& names) {
    bool usingFirst = true;
    auto library = std::make_unique<RuntimeLibrary>(names.first);
    if (!library->Loaded()) {
        usingFirst = false;
        library = std::make_unique<RuntimeLibrary>(names.second);
        if (!library->Loaded()) return LatchOutcome::NoRuntime;
    }
    ReadLatchFunction read = library->ReadLatch();
    if (!read) return LatchOutcome::NoReadFunction;

    uint8_t latch = 0;
    bool readOk = read(portHandle, &latch) == 0;
    if (!readOk && usingFirst) readOk = ReadLatchThrough(names.second, portHandle, latch);
    if (!readOk)
        return usingFirst ? LatchOutcome::UnreadableBoth : LatchOutcome::UnreadableSecondOnly;
    return (latch & kBaseUnitLatchBit) ? LatchOutcome::BaseUnit : LatchOutcome::OtherDevice;
}

}  // namespace tb::link
