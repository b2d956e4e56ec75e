#include "link/PortTable.h"

namespace tb::link {

void PortTable::Store(int portNumber, uint32_t serial) {
    if (portNumber >= 1 && portNumber <= kPortCount)
        serials_[static_cast<std::size_t>(portNumber - 1)] = serial;
}

uint32_t PortTable::At(int portNumber) const {
    if (portNumber < 1 || portNumber > kPortCount) return 0;
    return serials_[static_cast<std::size_t>(portNumber - 1)];
}

int Sb_Get_Port_from_Table(const PortTable& table, uint32_t serial) {
    // Serial 0 marks an empty entry, so it is never found.
    if (serial == 0) return 0;
    for (int port = 1; port <= kPortCount; ++port)
        if (table.At(port) == serial) return port;
    return 0;
}

}  // namespace tb::link
