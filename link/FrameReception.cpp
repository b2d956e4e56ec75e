#include "link/FrameReception.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <vector>

#include "link/LinkFrame.h"
#include "link/ResultCodes.h"
#include "platform/Clock.h"

namespace tb::link {
namespace {

constexpr uint32_t kReadPauseMs = 1;
constexpr uint32_t kHeaderBytePauseMs = 20;

class Reception {
  public:
    Reception(MngEntry& entry, const ReceptionPort& port, diag::Diagnostics& diag)
        : entry_(entry),
          port_(port),
          diag_(diag),
          deadline_(platform::NowSeconds() + entry.rcvTimeoutSec) {}

    int Run() {
        if (!ReadHeader()) return -1;
        const uint64_t after = BytesAfterHeader(*kind_, Header());
        const uint64_t frameLength = kind_->headerBytes + after;
        // Refused before any byte of the data part is taken in: the length
        // field comes from the device and may announce gigabytes.
        const uint64_t capacity = entry_.rcvCapacity > 0 ? entry_.rcvCapacity : 0;
        if (frameLength > capacity)
            return Fail(kFrameTooLong, "<!>Sb_Data_Recv Recv Size Mismatch(%08x)", Header());
        std::memcpy(entry_.rcvData, header_.data(), kind_->headerBytes);
        if (!ReadAfterHeader(static_cast<size_t>(after))) return -1;

        entry_.rcvLength = static_cast<int32_t>(frameLength);
        entry_.result = 1;
        diag_.DumpReceived(entry_, {entry_.rcvData, static_cast<size_t>(frameLength)});
        return entry_.rcvLength;
    }

  private:
    std::span<const uint8_t> Header() const { return {header_.data(), headerGot_}; }
    bool DeadlinePassed() const { return platform::NowSeconds() > deadline_; }

    int Fail(int code, const char* format, std::span<const uint8_t> receivedSoFar) {
        entry_.result = code;
        diag_.Log(format, entry_.key);
        diag_.DumpReceived(entry_, receivedSoFar);
        return -1;
    }

    bool ReadHeader() {
        for (;;) {
            port_.pause(kReadPauseMs);
            const int got = port_.readSome(&header_[headerGot_], 1);
            if (got == 1) ++headerGot_;
            if (DeadlinePassed()) {
                Fail(kTimeout, "<!>Sb_Data_Recv Recv Header Timeout(%08x)", Header());
                return false;
            }
            if (got == 1) {
                if (headerGot_ == 1 && header_[0] != kFrameStart) {
                    Fail(kBadFrameStart, "<!>Sb_Data_Recv Not Start T(%08x)", Header());
                    return false;
                }
                if (headerGot_ == 2) {
                    kind_ = FrameKindOf(header_[1]);
                    if (!kind_) {
                        Fail(kBadFrameStart, "<!>Sb_Data_Recv Incorrect Header(%08x)", Header());
                        return false;
                    }
                }
                if (kind_ && headerGot_ == kind_->headerBytes) return true;
                port_.pause(kHeaderBytePauseMs);
            }
            // A read that brought no byte is simply repeated after the 1 ms
            // pause: waiting 20 ms here would hold up the first byte of every
            // reply by up to that long.
        }
    }

    bool ReadAfterHeader(size_t after) {
        uint8_t* const data = entry_.rcvData + kind_->headerBytes;
        size_t got = 0;
        while (got < after) {
            port_.pause(kReadPauseMs);
            const size_t wanted = std::min<size_t>(after - got, INT_MAX);
            int read = port_.readSome(data + got, static_cast<int>(wanted));
            if (DeadlinePassed()) {
                const size_t soFar =
                    kind_->headerBytes + got + (read > 0 ? Clamp(read, wanted) : 0);
                Fail(kTimeout, "<!>Sb_Data_Recv Recv Data part Timeout(%08x)",
                     {entry_.rcvData, soFar});
                return false;
            }
            if (read > 0) got += Clamp(read, wanted);
        }
        return true;
    }

    static size_t Clamp(int read, size_t wanted) {
        return std::min(static_cast<size_t>(read), wanted);
    }

    MngEntry& entry_;
    const ReceptionPort& port_;
    diag::Diagnostics& diag_;
    const std::time_t deadline_;
    std::array<uint8_t, kLongestHeader> header_{};
    size_t headerGot_ = 0;
    std::optional<FrameKind> kind_;
};

}  // namespace

int Sb_Data_Recv(MngEntry& entry, const ReceptionPort& port, diag::Diagnostics& diag) {
    if (!entry.rcvData) {
        entry.result = kNoReceiveBuffer;
        diag.Log("<!>Sb_Data_Recv pt->rcvData is NULL(%08x)", entry.key);
        return -1;
    }
    return Reception(entry, port, diag).Run();
}

}  // namespace tb::link
