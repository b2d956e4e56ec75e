#include "modelcom/BulkDownload.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/ByteOrder.h"
#include "modelcom/Frame.h"
#include "modelcom/LoggerTable.h"
#include "modelcom/PumpingWait.h"
#include "modelcom/ResultCodes.h"

namespace tb::modelcom {

namespace {

inline constexpr uint16_t kBlockWaitMs = 1000;
inline constexpr uint32_t kRetryPauseMs = 100;
inline constexpr uint16_t kTableWaitMs = 100;

// Marks a download as running for its lifetime, whatever way it ends.
class RunningDownload {
  public:
    RunningDownload(LoggerEntry& entry, int16_t blocks) : entry_(entry) {
        entry_.totalBlocks.store(blocks);
        entry_.receivedBlocks.store(0);
        entry_.cancelRequest.store(0);
        entry_.downloadRunning.store(1);
    }
    ~RunningDownload() { entry_.downloadRunning.store(0); }
    RunningDownload(const RunningDownload&) = delete;
    RunningDownload& operator=(const RunningDownload&) = delete;

    bool CancelRequested() {
        if (entry_.cancelRequest.load() == 0) return false;
        entry_.cancelRequest.store(0);
        return true;
    }
    void BlockReceived() { entry_.receivedBlocks.fetch_add(1); }

  private:
    LoggerEntry& entry_;
};

int ReadRecordTable(PortSession& session, uint16_t requestedBytes, std::vector<uint8_t>& table) {
    table.clear();
    uint8_t data[2];
    bytes::WriteU16(data, 0, requestedBytes);
    for (size_t block = 0; block < kTableBlockCount; ++block) {
        CommandShape shape{kRecordTableCommand, static_cast<uint8_t>(block), kTableReplyLength,
                         kTableWaitMs};
        std::vector<uint8_t> reply;
        if (int code = session.Exchange(shape, data, reply); code != kOk) return code;
        auto blockData = ReplyData(reply);
        table.insert(table.end(), blockData.begin(), blockData.end());
    }
    return kOk;
}

// Receives the data blocks in order into `data`.
class BlockReceiver {
  public:
    BlockReceiver(PortSession& session, RunningDownload& running)
        : session_(session), running_(running) {}

    int ReceiveAll(size_t totalBytes, std::vector<uint8_t>& data) {
        data.clear();
        size_t blocks = (totalBytes + kDataBlockSize - 1) / kDataBlockSize;
        for (size_t block = 0; block < blocks; ++block) {
            size_t size = std::min(kDataBlockSize, totalBytes - block * kDataBlockSize);
            if (int code = ReceiveBlock(block, size, data); code != kOk) return code;
            running_.BlockReceived();
        }
        return kOk;
    }

  private:
    int ReceiveBlock(size_t block, size_t size, std::vector<uint8_t>& data) {
        int failure = kOk;
        for (int attempt = 0; attempt < kBlockAttempts; ++attempt) {
            if (running_.CancelRequested()) return kDownloadCancelled;
            if (attempt > 0) PumpingWait(kRetryPauseMs);
            uint8_t ask = attempt == 0 ? kAskBlock : kAskBlockAgain;
            if (int sent = session_.Send(kBulkBlockCommand, ask, {}); sent != kOk) return sent;
            PumpingWait(kRequestSettleMs);
            std::vector<uint8_t> reply =
                session_.Receive(size + kFrameOverhead, kBlockWaitMs, kBlockInterval);
            // A block cut short is asked again like a damaged one.
            failure = reply.size() < size + kFrameOverhead
                          ? kReplyLengthWrong
                          : session_.CheckReceived(reply, kBulkBlockCommand, size + kFrameOverhead);
            if (failure != kOk) continue;
            if (int order = CheckSequence(block, reply[2]); order != kOk) return order;
            auto blockData = ReplyData(reply);
            data.insert(data.end(), blockData.begin(), blockData.end());
            return kOk;
        }
        return failure;
    }

    int CheckSequence(size_t block, uint8_t sequence) {
        if (block > 0 && sequence != static_cast<uint8_t>(lastSequence_ + 1)) {
            return kBlockOutOfSequence;
        }
        lastSequence_ = sequence;
        return kOk;
    }

    PortSession& session_;
    RunningDownload& running_;
    uint8_t lastSequence_ = 0;
};

void StoreRecords(std::span<const uint8_t> data, std::span<int16_t* const> channels,
                  size_t records) {
    const size_t recordSize = channels.size() * 2;
    for (size_t i = 0; i < records; ++i) {
        for (size_t c = 0; c < channels.size(); ++c) {
            channels[c][i] = bytes::ReadI16(data, i * recordSize + c * 2);
        }
    }
}

}  // namespace

int DownloadRecords(ModelLibrary& library, uint32_t serial, std::span<int16_t* const> channels,
                    uint8_t* table, int capacity) {
    if (capacity <= 0 || capacity > kMaxDownloadRecords || !table) return kArgumentError;
    if (channels.empty() ||
        std::find(channels.begin(), channels.end(), nullptr) != channels.end()) {
        return kArgumentError;
    }
    LoggerEntry* entry = library.Loggers().Find(serial);
    PortSession session(library.Profile().status35Code);
    if (int opened = library.OpenLogger(serial, session); opened != kOk) return opened;

    const size_t recordSize = channels.size() * 2;
    std::vector<uint8_t> recordTable;
    int code = ReadRecordTable(session, static_cast<uint16_t>(capacity * recordSize), recordTable);
    if (code != kOk) return code;
    std::memcpy(table, recordTable.data(), kTableSize);

    const size_t recordedBytes = bytes::ReadU16(recordTable, kRecordedBytesOffset);
    if (recordedBytes == 0) return kNoRecordedData;
    const size_t blocks = (recordedBytes + kDataBlockSize - 1) / kDataBlockSize;

    std::vector<uint8_t> data;
    {
        RunningDownload running(*entry, static_cast<int16_t>(blocks));
        BlockReceiver receiver(session, running);
        code = receiver.ReceiveAll(recordedBytes, data);
        session.Close();
    }
    if (code != kOk) return code;

    // A logger may report more than was asked for; the caller's arrays hold capacity.
    size_t records = std::min(recordedBytes / recordSize, static_cast<size_t>(capacity));
    if (records == 0) return kNoRecordedData;
    StoreRecords(data, channels, records);
    return static_cast<int>(records);
}

int DownloadStatus(ModelLibrary& library, uint32_t serial, int16_t* total, int16_t* received) {
    if (!total || !received) return kArgumentError;
    *total = 0;
    *received = 0;
    LoggerEntry* entry = library.Loggers().Find(serial);
    if (!entry) return kListEntryFailed;
    if (entry->downloadRunning.load() == 0) return kNoDownloadRunning;
    *total = entry->totalBlocks.load();
    *received = entry->receivedBlocks.load();
    return kOk;
}

int CancelDownload(ModelLibrary& library, uint32_t serial) {
    LoggerEntry* entry = library.Loggers().Find(serial);
    if (!entry) return kListEntryFailed;
    entry->cancelRequest.store(1);
    return kOk;
}

}  // namespace tb::modelcom
