// The LAN path of the link library: connections to a base unit over TCP,
// keyed by numbers from 1 to 99999 that this path assigns. Each key keeps its
// worker thread (LanWorker) from its first open until the library unloads, so
// a later open of the same key reuses it. The calling thread hands every step
// to the worker and waits, pumping its own messages, until the worker marks
// the step done, or until the worker has ended.
#pragma once

#include <functional>
#include <map>
#include <memory>

#include "link/LinkPath.h"
#include "link/lan/LanWorker.h"

namespace tb::link {
class LinkLibrary;
}  // namespace tb::link

namespace tb::link::lan {

inline constexpr uint32_t kFirstLanKey = 1;
inline constexpr uint32_t kLastLanKey = 99999;

class LanLink final : public LinkPath {
  public:
    explicit LanLink(LinkLibrary& link) : link_(link) {}
    ~LanLink() override;

    // Connects, logs in and writes the assigned key; 0 or a negative result code.
    int Open(const char* host, int port, const char* login, uint32_t option, uint32_t* key);
    int Send(MngEntry& entry, const uint8_t* data, int length) override;
    void Receive(MngEntry& entry) override;
    int DefaultTimeoutSec() const override;
    int ClearCommBuf(MngEntry& entry, int selector) override;
    int Close(MngEntry& entry) override;
    // Asks the entry's status dialog (if any) to close.
    void DismissDialog(MngEntry& entry);
    // Closes the entry's status dialog and returns once its worker thread has
    // ended, so that the next open of the key starts from a clean entry.
    void EndWorker(MngEntry& entry);
    // Called once when the library unloads, before the table is freed.
    void Unload();

  private:
    // The lowest free key's entry (created when the key has none), or null.
    MngEntry* AssignKey();
    int StoreRequest(MngEntry& entry, const char* host, int port, const char* login,
                     uint32_t option);
    // Hands the connect request to the entry's worker, starting one when it
    // has none or its thread has ended.
    bool RequestConnect(MngEntry& entry);
    // Pumps until `done` holds or the entry's worker has ended; false then.
    bool WaitForWorker(const MngEntry& entry, const std::function<bool()>& done);
    LanWorker* WorkerOf(const MngEntry& entry);
    platform::WindowHandle LiveDialog(const MngEntry& entry);

    LinkLibrary& link_;
    std::map<uint32_t, std::unique_ptr<LanWorker>> workers_;
};

}  // namespace tb::link::lan
