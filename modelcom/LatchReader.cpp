#include "modelcom/LatchReader.h"

#include <dlfcn.h>

#include <atomic>
#include <string>

namespace tb::modelcom {
namespace {

inline constexpr const char* kRuntimeName = "libCP210xRuntime.so";
inline constexpr const char* kRuntimeFallbackName = "libCP210xRuntime6.so";

using ReadLatchFunction = int (*)(uint32_t, uint8_t*);

// Loads a library by name the way the loader finds our siblings: the usual
// search first, then the folder this library itself was loaded from (an
// intercepted dlopen, as under a sanitizer, loses the caller's own path).
void* OpenByName(const char* name) {
    if (void* handle = dlopen(name, RTLD_NOW | RTLD_LOCAL)) return handle;
    Dl_info self{};
    if (dladdr(reinterpret_cast<void*>(&OpenByName), &self) == 0 || !self.dli_fname) {
        return nullptr;
    }
    std::string path = self.dli_fname;
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return nullptr;
    path.resize(slash + 1);
    path += name;
    return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

// One loaded run-time library; unloaded again when it goes out of scope.
class RuntimeLibrary {
  public:
    explicit RuntimeLibrary(const char* name) : handle_(OpenByName(name)) {
        if (handle_) {
            readLatch_ = reinterpret_cast<ReadLatchFunction>(dlsym(handle_, "CP210xRT_ReadLatch"));
        }
    }
    ~RuntimeLibrary() {
        if (handle_) dlclose(handle_);
    }
    RuntimeLibrary(const RuntimeLibrary&) = delete;
    RuntimeLibrary& operator=(const RuntimeLibrary&) = delete;

    bool Usable() const { return readLatch_ != nullptr; }
    bool ReadLatch(uint32_t handle, uint8_t* latch) const { return readLatch_(handle, latch) == 0; }

  private:
    void* handle_;
    ReadLatchFunction readLatch_ = nullptr;
};

class RuntimeLatchReader : public LatchReader {
  public:
    LatchOutcome Read(uint32_t portHandle, uint8_t* latch) override {
        RuntimeLibrary primary(kRuntimeName);
        if (primary.Usable()) {
            if (primary.ReadLatch(portHandle, latch)) return LatchOutcome::kRead;
            // The older run-time library sometimes reads where the newer fails.
            RuntimeLibrary fallback(kRuntimeFallbackName);
            if (fallback.Usable() && fallback.ReadLatch(portHandle, latch)) {
                return LatchOutcome::kRead;
            }
            return LatchOutcome::kUnreadable;
        }
        RuntimeLibrary fallback(kRuntimeFallbackName);
        if (!fallback.Usable()) return LatchOutcome::kRuntimeMissing;
        return fallback.ReadLatch(portHandle, latch) ? LatchOutcome::kRead
                                                     : LatchOutcome::kUnreadable;
    }
};

std::atomic<LatchReader*>& InstalledReader() {
    static std::atomic<LatchReader*> reader{nullptr};
    return reader;
}

}  // namespace

LatchReader& CurrentLatchReader() {
    static RuntimeLatchReader runtime;
    LatchReader* installed = InstalledReader().load();
    return installed ? *installed : runtime;
}

ScopedLatchReader::ScopedLatchReader(LatchReader& reader) : previous_(InstalledReader().load()) {
    InstalledReader().store(&reader);
}

ScopedLatchReader::~ScopedLatchReader() { InstalledReader().store(previous_); }

}  // namespace tb::modelcom
