// The C exports of libVkLGR800Comm.so. Each one forwards to the library
// instance made when the library is loaded; no exception leaves an export.
#include "link/LinkLibrary.h"
#include "link/ModuleLifetime.h"
#include "link/ResultCodes.h"
#include "link/VkLGR800Comm.h"
#include "link/diag/Diagnostics.h"

#if defined(_WIN32)
#define LINK_EXPORT extern "C" __declspec(dllexport)
#else
#define LINK_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace tb::link {
namespace {

LinkLibrary* theLink = nullptr;
bool endedWithTheProcess = false;

__attribute__((constructor)) void LoadLinkLibrary() {
    endedWithTheProcess = StayLoadedUntilProcessExit();
    try {
        auto diagnostics =
            std::make_unique<diag::Diagnostics>(diag::ProgramFolder(), diag::kFlightChannelName);
        theLink = new LinkLibrary(SystemPortLayer(), LatchRuntimeNames{}, std::move(diagnostics));
    } catch (...) {
        theLink = nullptr;
    }
}

__attribute__((destructor)) void UnloadLinkLibrary() {
    // The system has ended the workers' threads: nothing may wait for them.
    if (endedWithTheProcess) return;
    try {
        delete theLink;
    } catch (...) {
    }
    theLink = nullptr;
}

// Runs an operation on the library instance; failures that escape it end as failureCode.
template <typename Operation>
int Guarded(int failureCode, Operation operation) {
    if (!theLink) return failureCode;
    try {
        return operation(*theLink);
    } catch (...) {
        return failureCode;
    }
}

}  // namespace
}  // namespace tb::link

using tb::link::Guarded;
using tb::link::LinkLibrary;

LINK_EXPORT int VkLGR800_GetConnectNum(uint8_t* status, int length, int productId, int skipLatch) {
    return Guarded(0, [&](LinkLibrary& link) {
        return link.GetConnectNum(status, length, productId, skipLatch);
    });
}

LINK_EXPORT int VkLGR800_GetSerial(uint32_t* serials, int count, int productId, int skipLatch) {
    return Guarded(
        0, [&](LinkLibrary& link) { return link.GetSerial(serials, count, productId, skipLatch); });
}

LINK_EXPORT int VkLGR800_OpenUSBComm(uint32_t serial) {
    return Guarded(tb::link::kNoTableEntry,
                   [&](LinkLibrary& link) { return link.OpenUSBComm(serial); });
}

LINK_EXPORT int VkLGR800_OpenLANComm(const char* host, int port, const char* login, uint32_t option,
                                     uint32_t* key) {
    return Guarded(tb::link::kLanConnectFailed, [&](LinkLibrary& link) {
        return link.OpenLANComm(host, port, login, option, key);
    });
}

LINK_EXPORT int VkLGR800_ClearCommBuf(uint32_t key, int selector) {
    return Guarded(tb::link::kUnknownKey,
                   [&](LinkLibrary& link) { return link.ClearCommBuf(key, selector); });
}

LINK_EXPORT int VkLGR800_SendComm(uint32_t key, const uint8_t* data, int length) {
    return Guarded(tb::link::kSendFailed,
                   [&](LinkLibrary& link) { return link.SendComm(key, data, length); });
}

LINK_EXPORT int VkLGR800_RecvComm(uint32_t key, uint8_t* buffer, int capacity, int timeoutSec) {
    return Guarded(tb::link::kNoReceiveBuffer, [&](LinkLibrary& link) {
        return link.RecvComm(key, buffer, capacity, timeoutSec);
    });
}

LINK_EXPORT int VkLGR800_CloseComm(uint32_t key) {
    return Guarded(tb::link::kUnknownKey, [&](LinkLibrary& link) { return link.CloseComm(key); });
}
