// The link library calls that the command client makes, gathered so that a
// test can watch or replace them. By default they are the exports of
// libVkLGR800Comm.so.
#pragma once

#include <cstdint>

#include "platform/ScopedSwap.h"

namespace tb::client {

struct LinkApi {
    int (*getConnectNum)(uint8_t* status, int length, int productId, int skipLatch);
    int (*getSerial)(uint32_t* serials, int count, int productId, int skipLatch);
    int (*openUsb)(uint32_t serial);
    int (*clearBuffer)(uint32_t key, int selector);
    int (*send)(uint32_t key, const uint8_t* data, int length);
    int (*receive)(uint32_t key, uint8_t* buffer, int capacity, int timeoutSec);
    int (*close)(uint32_t key);
};

// The calls of the link library itself.
const LinkApi& DefaultLinkApi();
// The calls in force (the default unless a test installed others).
const LinkApi& CurrentLinkApi();

// The installed calls (never null).
const LinkApi*& InstalledLinkApi();

// Installs other calls for the lifetime of the object (tests).
using ScopedLinkApi = platform::ScopedSwap<&InstalledLinkApi>;

}  // namespace tb::client
