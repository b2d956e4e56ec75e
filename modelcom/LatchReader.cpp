#include "modelcom/LatchReader.h"

#include <atomic>

#include "platform/cp210x/LatchRuntimeLibrary.h"

namespace tb::modelcom {
namespace {

// One loaded run-time library; unloaded again when it goes out of scope.
class RuntimeLibrary {
  public:
    explicit RuntimeLibrary(const char* name) : library_(name) {}

    bool Usable() const { return library_.ReadLatch() != nullptr; }
    bool ReadLatch(uint32_t handle, uint8_t* latch) const {
        return library_.ReadLatch()(handle, latch) == 0;
    }

  private:
    cp210x::LatchRuntimeLibrary library_;
};

class RuntimeLatchReader : public LatchReader {
  public:
    LatchOutcome Read(uint32_t portHandle, uint8_t* latch) override {
        RuntimeLibrary primary(cp210x::kLatchRuntimeName);
        if (primary.Usable()) {
            if (primary.ReadLatch(portHandle, latch)) return LatchOutcome::kRead;
            // The older run-time library sometimes reads where the newer fails.
            RuntimeLibrary fallback(cp210x::kLatchRuntimeFallbackName);
            if (fallback.Usable() && fallback.ReadLatch(portHandle, latch)) {
                return LatchOutcome::kRead;
            }
            return LatchOutcome::kUnreadable;
        }
        RuntimeLibrary fallback(cp210x::kLatchRuntimeFallbackName);
        if (!fallback.Usable()) return LatchOutcome::kRuntimeMissing;
        return fallback.ReadLatch(portHandle, latch) ? LatchOutcome::kRead
                                                     : LatchOutcome::kUnreadable;
    }
};

}  // namespace

std::atomic<LatchReader*>& InstalledLatchReader() {
    static std::atomic<LatchReader*> reader{nullptr};
    return reader;
}

LatchReader& CurrentLatchReader() {
    static RuntimeLatchReader runtime;
    LatchReader* installed = InstalledLatchReader().load();
    return installed ? *installed : runtime;
}

}  // namespace tb::modelcom
