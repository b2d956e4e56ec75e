// The management table: one entry per connection, keyed by the connection
// key (a base unit's serial number over USB, an assigned number over LAN).
// A singly linked list with new entries at the head; entries live until the
// library is unloaded.
#pragma once

#include <cstdint>
#include <memory>

namespace tb::link {

enum Transport : int32_t { kTransportClosed = 0, kTransportUsb = 1, kTransportLan = 2 };

// Request states of the LAN path.
inline constexpr int32_t kRequestIdle = 0;
inline constexpr int32_t kRequestPending = 10;
inline constexpr int32_t kRequestDone = 11;

inline constexpr int kHostCapacity = 128;
inline constexpr int kLoginCapacity = 128;

struct MngEntry {
    uint32_t key = 0;
    int32_t TrFlg = kTransportClosed;
    int32_t rcvCapacity = 0;
    uint8_t* sendData = nullptr;  // LAN: copy of the frame being sent
    int32_t sendLength = 0;       // LAN: bytes still to send
    uint8_t* rcvData = nullptr;   // capacity + 1 bytes, allocated per receive
    int32_t rcvLength = 0;
    int32_t result = 0;  // 0 pending, 1 success, negative error code
    int32_t rcvTimeoutSec = 0;
    uint32_t portHandle = 0;
    uint32_t portNumber = 0;
    int32_t portValid = 0;
    uint32_t lanOption = 0;
    void* dialog = nullptr;  // LAN status dialog
    void* thread = nullptr;  // LAN worker thread
    char host[kHostCapacity] = {};
    uint16_t tcpPort = 0;
    char login[kLoginCapacity] = {};
    int32_t connectState = kRequestIdle;
    int32_t sendState = kRequestIdle;
    int32_t recvState = kRequestIdle;
    int32_t closeState = kRequestIdle;
    MngEntry* next = nullptr;

    // Releases the per-request buffers.
    void ReleaseBuffers();
};

class MngTable {
  public:
    MngTable() = default;
    ~MngTable();
    MngTable(const MngTable&) = delete;
    MngTable& operator=(const MngTable&) = delete;

    MngEntry* Head() const { return head_; }
    void PushFront(MngEntry* entry);
    void Clear();

  private:
    MngEntry* head_ = nullptr;
};

// Puts a new zeroed entry for key at the head; nullptr when it cannot be allocated.
MngEntry* Sb_Set_MngTable(MngTable& table, uint32_t key);

// The entry of key, or nullptr.
MngEntry* Sb_Get_Mngtable_Num(const MngTable& table, uint32_t key);

// The entry that holds port number with port valid = 1, or nullptr.
MngEntry* FindEntryHoldingPort(const MngTable& table, uint32_t portNumber);

}  // namespace tb::link
