#include "modelcom/Discovery.h"

#include <array>
#include <cstring>
#include <string>

#include "link/usbserial/PortLayer.h"
#include "modelcom/Frame.h"
#include "modelcom/LatchReader.h"
#include "modelcom/LoggerTable.h"
#include "modelcom/ResultCodes.h"
#include "platform/ByteOrder.h"

namespace tb::modelcom {

int IsConnect(ModelLibrary& library, uint8_t* flags, int count) {
    if (!flags || count < 0 || count > kMaxPorts) return kArgumentError;
    std::memset(flags, 0, static_cast<size_t>(count));
    if (count == 0) return 0;
    std::array<uint8_t, kMaxPorts> attached{};
    std::string vidPid = library.Profile().vidPid();
    if (tb::link::CurrentPortLayer().CheckPort(vidPid.c_str(), attached.data()) != 0) return 0;
    int found = 0;
    for (int port = 1; port <= count; ++port) {
        if (!attached[static_cast<size_t>(port - 1)]) continue;
        PortSession session(library.Profile().status35Code);
        int opened = session.Open(port);
        if (opened == kOk || opened == kPortBusy) {
            flags[port - 1] = 1;
            ++found;
        }
    }
    return found;
}

int ReadLoggerTable(PortSession& session, uint8_t command, std::vector<uint8_t>& table) {
    table.clear();
    const uint8_t zero = 0;
    for (size_t block = 0; block < kTableBlockCount; ++block) {
        CommandShape shape{command, static_cast<uint8_t>(block), kTableReplyLength, 100};
        std::span<const uint8_t> data;
        if (block > 0) data = std::span(&zero, 1);
        std::vector<uint8_t> reply;
        if (int code = session.Exchange(shape, data, reply); code != kOk) return code;
        auto blockData = ReplyData(reply);
        table.insert(table.end(), blockData.begin(), blockData.end());
    }
    return kOk;
}

namespace {

int CheckLatch(const ModelProfile& profile, PortSession& session) {
    uint8_t latch = 0;
    switch (CurrentLatchReader().Read(session.Handle(), &latch)) {
        case LatchOutcome::kRuntimeMissing:
            return profile.runtimeMissingCode;
        case LatchOutcome::kUnreadable:
            return kLatchUnreadable;
        case LatchOutcome::kRead:
            break;
    }
    return (latch & kLoggerLatchBit) ? kOk : kLatchBitClear;
}

void CopyName(NameCopy mode, const uint8_t* field, char* out) {
    if (!out) return;
    size_t length = kTableNameSize;
    if (mode == NameCopy::kText) {
        length = 0;
        while (length < kTableNameSize && field[length] != 0) ++length;
    }
    std::memcpy(out, field, length);
    out[length] = '\0';
}

}  // namespace

int GetConctMachInfo(ModelLibrary& library, int port, uint32_t* serial, int16_t* typeCode,
                     char* nameA, char* nameB) {
    if (!serial || !typeCode) return kArgumentError;
    const ModelProfile& profile = library.Profile();
    PortSession session(profile.status35Code);
    if (int opened = session.Open(port); opened != kOk) return opened;
    if (int latch = CheckLatch(profile, session); latch != kOk) return latch;
    std::vector<uint8_t> table;
    if (int code = ReadLoggerTable(session, kTableCommand, table); code != kOk) return code;
    session.Close();

    if (bytes::ReadU16(table, kTableTypeCodeOffset) != profile.typeCode)
        return profile.wrongTypeCode;
    uint32_t serialNumber = bytes::ReadU32(table, kTableSerialOffset);
    LoggerEntry* entry = library.Loggers().FindOrCreate(serialNumber);
    if (!entry) return kListEntryFailed;
    entry->port.store(port);

    *serial = serialNumber;
    *typeCode = static_cast<int16_t>(profile.typeCode);
    CopyName(profile.nameCopy, &table[kTableNameAOffset], nameA);
    CopyName(profile.nameCopy, &table[kTableNameBOffset], nameB);
    return kOk;
}

}  // namespace tb::modelcom
