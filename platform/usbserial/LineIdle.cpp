#include "platform/usbserial/LineIdle.h"

#include <poll.h>

namespace tb::usbserial {

void WaitForLine(int fd, LineDirection direction, int ms) {
    pollfd entry{fd, static_cast<short>(direction == LineDirection::Receive ? POLLIN : POLLOUT), 0};
    ::poll(&entry, 1, ms);
}

}  // namespace tb::usbserial
