#include "link/LatchCheck.h"

#include <memory>

#include "platform/cp210x/LatchRuntimeLibrary.h"

namespace tb::link {
namespace {

using cp210x::LatchRuntimeLibrary;
using cp210x::ReadLatchFunction;

// Reads the latch through the named library; false when it cannot.
bool ReadLatchThrough(const std::string& name, uint32_t portHandle, uint8_t& latch) {
    LatchRuntimeLibrary library(name);
    ReadLatchFunction read = library.ReadLatch();
    return read && read(portHandle, &latch) == 0;
}

}  // namespace

LatchOutcome CheckLatch(uint32_t portHandle, const LatchRuntimeNames& names) {
    bool usingFirst = true;
    auto library = std::make_unique<LatchRuntimeLibrary>(names.first);
    if (!library->Loaded()) {
        usingFirst = false;
        library = std::make_unique<LatchRuntimeLibrary>(names.second);
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
