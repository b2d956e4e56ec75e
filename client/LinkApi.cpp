#include "client/LinkApi.h"

#include "link/VkLGR800Comm.h"

namespace tb::client {
namespace {

const LinkApi kLibraryCalls{VkLGR800_GetConnectNum, VkLGR800_GetSerial, VkLGR800_OpenUSBComm,
                            VkLGR800_ClearCommBuf,  VkLGR800_SendComm,  VkLGR800_RecvComm,
                            VkLGR800_CloseComm};

}  // namespace

// The GUI thread is the only caller; tests install their calls before use.
const LinkApi*& InstalledLinkApi() {
    static const LinkApi* current = &kLibraryCalls;
    return current;
}

const LinkApi& DefaultLinkApi() { return kLibraryCalls; }

const LinkApi& CurrentLinkApi() { return *InstalledLinkApi(); }

}  // namespace tb::client
