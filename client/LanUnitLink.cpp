#include "client/LanUnitLink.h"

#include <optional>

#include "client/ResultCodes.h"
#include "link/VkLGR800Comm.h"

namespace tb::client {
namespace {

constexpr uint32_t kLanOption = 1;

// The key of the open LAN link; the command line runs one at a time.
std::optional<uint32_t>& OpenLanKey() {
    static std::optional<uint32_t> key;
    return key;
}

int ListLanUnit(uint32_t* serials, int count, int, int) {
    if (!OpenLanKey() || count < 1) return 0;
    serials[0] = *OpenLanKey();
    return 1;
}

// The link is already open: a transaction's open and close leave it so.
int OpenLanLink(uint32_t key) { return OpenLanKey() == key ? 0 : kResultOpenFailed; }
int KeepLanLinkOpen(uint32_t) { return 0; }

int CountCables(uint8_t* status, int length, int productId, int skipLatch) {
    return DefaultLinkApi().getConnectNum(status, length, productId, skipLatch);
}
int ClearBuffer(uint32_t key, int selector) { return DefaultLinkApi().clearBuffer(key, selector); }
int Send(uint32_t key, const uint8_t* data, int length) { return DefaultLinkApi().send(key, data, length); }
int Receive(uint32_t key, uint8_t* buffer, int capacity, int timeoutSec) {
    return DefaultLinkApi().receive(key, buffer, capacity, timeoutSec);
}

const LinkApi kLanCalls{CountCables, ListLanUnit, OpenLanLink, ClearBuffer,
                        Send,        Receive,     KeepLanLinkOpen};

}  // namespace

LanUnitLink::LanUnitLink(const std::string& host, int port, const std::string& login) {
    error_ = VkLGR800_OpenLANComm(host.c_str(), port, login.c_str(), kLanOption, &key_);
    if (error_ != 0) return;
    OpenLanKey() = key_;
    calls_.emplace(kLanCalls);
}

LanUnitLink::~LanUnitLink() {
    if (error_ != 0) return;
    calls_.reset();
    OpenLanKey().reset();
    VkLGR800_CloseComm(key_);
}

}  // namespace tb::client
