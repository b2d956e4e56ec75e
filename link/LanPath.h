// The LAN path of the link library: connections to a base unit over TCP,
// each served by a worker thread. MakeLanPath() gives the implementation
// built into this library.
#pragma once

#include <cstdint>
#include <memory>

#include "link/LinkPath.h"

namespace tb::link {

class LinkLibrary;

class LanPath : public LinkPath {
  public:
    // Connects, logs in and writes the assigned key; 0 or a negative result code.
    virtual int Open(const char* host, int port, const char* login, uint32_t option,
                     uint32_t* key) = 0;
    // Asks the entry's status dialog (if any) to close.
    virtual void DismissDialog(MngEntry& entry) = 0;
    // Closes the entry's status dialog and returns once its worker thread has
    // ended, so that the next open of the key starts from a clean entry.
    virtual void EndWorker(MngEntry& entry) = 0;
    // Called once when the library unloads, before the table is freed.
    virtual void Unload() = 0;
};

std::unique_ptr<LanPath> MakeLanPath(LinkLibrary& link);

}  // namespace tb::link
