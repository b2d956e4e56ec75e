#include "client/ReservedComPorts.h"

#include "platform/usbserial/ComPortMap.h"

namespace tb::client {

int ReservedPortsFromBitmap(std::span<const uint8_t> bitmap, std::vector<int>& list) {
    list.clear();
    if (bitmap.size() > kComBitmapMaxSize) return -1;
    for (std::size_t i = 0; i < bitmap.size(); ++i) {
        for (int bit = 0; bit < 8; ++bit) {
            if (bitmap[i] & (1u << bit)) list.push_back(static_cast<int>(i) * 8 + bit);
        }
    }
    return list.empty() ? 0 : list.back() + 1;
}

int ReservedComPorts(std::vector<int>& list) {
    const auto assigned = usbserial::AssignedComPorts();
    return ReservedPortsFromBitmap(assigned, list);
}

}  // namespace tb::client
