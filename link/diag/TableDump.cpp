#include "link/diag/TableDump.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace tb::link::diag {
namespace {

class RecordWriter {
  public:
    explicit RecordWriter(std::array<uint8_t, kTableRecordBytes>& record) : record_(record) {}
    void U32(size_t offset, uint32_t value) {
        for (size_t i = 0; i < 4; ++i) record_[offset + i] = static_cast<uint8_t>(value >> (8 * i));
    }
    void I32(size_t offset, int32_t value) { U32(offset, static_cast<uint32_t>(value)); }
    void Address(size_t offset, const void* pointer) {
        U32(offset, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(pointer)));
    }
    void U16(size_t offset, uint16_t value) {
        record_[offset] = static_cast<uint8_t>(value);
        record_[offset + 1] = static_cast<uint8_t>(value >> 8);
    }
    void Text(size_t offset, const char* text, size_t capacity) {
        std::memcpy(record_.data() + offset, text, capacity);
    }

  private:
    std::array<uint8_t, kTableRecordBytes>& record_;
};

}  // namespace

std::array<uint8_t, kTableRecordBytes> EncodeTableRecord(const MngEntry& entry) {
    std::array<uint8_t, kTableRecordBytes> record{};
    RecordWriter out(record);
    out.U32(0, entry.key);
    out.I32(4, entry.TrFlg);
    out.I32(8, entry.rcvCapacity);
    out.Address(12, entry.sendData);
    out.I32(16, entry.sendLength);
    out.Address(20, entry.rcvData);
    out.I32(24, entry.rcvLength);
    out.I32(28, entry.result);
    out.I32(32, entry.rcvTimeoutSec);
    out.U32(36, entry.portHandle);
    out.U32(40, entry.portNumber);
    out.I32(44, entry.portValid);
    out.U32(48, entry.lanOption);
    out.Address(52, entry.dialog);
    out.Address(56, entry.thread);
    out.Text(60, entry.host, kHostCapacity);
    out.U16(188, entry.tcpPort);
    out.Text(192, entry.login, kLoginCapacity);
    out.I32(320, entry.connectState);
    out.I32(324, entry.sendState);
    out.I32(328, entry.recvState);
    out.I32(332, entry.closeState);
    out.Address(348, entry.next);
    return record;
}

bool WriteTableDump(const std::string& path, const MngTable& table) {
    std::vector<uint8_t> bytes;
    for (const MngEntry* entry = table.Head(); entry; entry = entry->next) {
        const auto record = EncodeTableRecord(*entry);
        bytes.insert(bytes.end(), record.begin(), record.end());
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace tb::link::diag
