// A base unit on the LAN standing in for the USB base units.
//
// While a LanUnitLink lives, base-unit discovery lists the LAN unit alone
// and every transaction of the command client runs over its one link,
// opened here with the login and closed when the object ends. The pages
// then reach the logger behind the LAN unit exactly as they reach one on
// USB.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "client/LinkApi.h"

namespace tb::client {

class LanUnitLink {
  public:
    LanUnitLink(const std::string& host, int port, const std::string& login);
    ~LanUnitLink();
    LanUnitLink(const LanUnitLink&) = delete;
    LanUnitLink& operator=(const LanUnitLink&) = delete;

    // 0 when the link is open, else the link library's code.
    int OpenError() const { return error_; }
    // The key discovery lists for the LAN unit.
    uint32_t Key() const { return key_; }

  private:
    uint32_t key_ = 0;
    int error_ = 0;
    std::optional<ScopedLinkApi> calls_;
};

}  // namespace tb::client
