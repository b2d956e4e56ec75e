#include "client/CorrectionOperations.h"

#include <vector>

#include "client/AdjustmentBlock.h"
#include "client/CorrectionCodes.h"
#include "client/Lgr890Cable.h"
#include "client/LinkBlockOperations.h"
#include "client/OperatingMode.h"
#include "client/SohFrame.h"
#include "resources/StringIds.h"
#include "services/MessageBox.h"

namespace tb::client {
namespace {

using namespace resources::strings;

bool ScalesUsable(uint16_t slopeScale, uint16_t offsetScale) {
    return slopeScale != 0 && offsetScale != 0;
}

bool IsTwoChannelReadKind(int kind) { return kind == kKindLgr830 || kind == kKindLgr835; }

void ShowWarning(int id) {
    services::ShowMessageId(id, services::MsgButtons::Ok, services::MsgIcon::Warning);
}

bool ReportWrite(bool written, int failureMessage) {
    if (written) {
        services::ShowMessageId(kMsgAdjustmentFinished, services::MsgButtons::Ok,
                                services::MsgIcon::Information);
    } else {
        ShowWarning(failureMessage);
    }
    return written;
}

std::optional<AdjustmentBlock> EncodeForMode(int kind, std::span<const double> slopes,
                                             std::span<const double> offsets,
                                             CorrectionScales scales, const OperatingMode& mode) {
    if (slopes.size() < mode.channels || offsets.size() < mode.channels) return std::nullopt;
    std::vector<ChannelCorrection> channels;
    for (std::size_t i = 0; i < mode.channels; ++i) channels.push_back({slopes[i], offsets[i]});
    return EncodeAdjustmentBlock(channels, scales, kind);
}

bool WriteForKind(int kind, const AdjustmentBlock& block, uint32_t waitMs) {
    const int wait = static_cast<int>(waitMs);
    return kind == kKindLgr890 ? WriteBlockSerial(block, wait) : WriteBlockVerified(block, wait);
}

}  // namespace

bool SendCorrection(int kind, std::span<const double> slopes, std::span<const double> offsets,
                    uint16_t slopeScale, uint16_t offsetScale, int mode) {
    const auto operating = LookupOperatingMode(mode);
    if (!operating || !ScalesUsable(slopeScale, offsetScale)) {
        return ReportWrite(false, kMsgNotConnected);
    }
    const auto block = EncodeForMode(kind, slopes, offsets, {slopeScale, offsetScale}, *operating);
    const bool written = block && WriteForKind(kind, *block, operating->waitMs);
    return ReportWrite(written, kMsgNotConnected);
}

bool ReadCorrection(int kind, std::span<double> slopes, std::span<double> offsets,
                    uint16_t slopeScale, uint16_t offsetScale) {
    if (ReadCorrectionQuietly(kind, slopes, offsets, slopeScale, offsetScale)) return true;
    ShowWarning(kMsgNotConnected);
    return false;
}

bool ReadCorrectionQuietly(int kind, std::span<double> slopes, std::span<double> offsets,
                           uint16_t slopeScale, uint16_t offsetScale) {
    const std::size_t channels = IsTwoChannelReadKind(kind) ? 2 : 1;
    AdjustmentBlock block{};
    const bool usable = ScalesUsable(slopeScale, offsetScale) && slopes.size() >= channels &&
                        offsets.size() >= channels;
    const bool read = usable && (kind == kKindLgr890 ? ReadBlockSerial(block) : ReadBlock(block));
    if (!read) return false;
    for (std::size_t i = 0; i < channels; ++i) {
        const auto channel = DecodeAdjustmentChannel(block, i, {slopeScale, offsetScale});
        slopes[i] = channel.slope;
        offsets[i] = channel.offset;
    }
    return true;
}

bool SendPassThroughCorrection(double slope, double offset, uint16_t slopeScale,
                               uint16_t offsetScale) {
    const auto slopeCode = EncodeSlopeCode(slope, slopeScale);
    const auto offsetCode = EncodeOffsetCode(offset, offsetScale, kCoarseOffsetDecimals);
    const bool written = ScalesUsable(slopeScale, offsetScale) && slopeCode && offsetCode &&
                         WritePassThroughVerified(*slopeCode, *offsetCode);
    return ReportWrite(written, kMsgCommunicationFailed);
}

namespace {

enum class PassThroughRead { Done, ExchangeFailed, NotAccepted };

PassThroughRead ReadPassThrough(double& slope, double& offset, uint16_t slopeScale,
                                uint16_t offsetScale) {
    SohFrame frame{};
    if (!ScalesUsable(slopeScale, offsetScale) || !ReadPassThroughFrame(frame)) {
        return PassThroughRead::ExchangeFailed;
    }
    if (frame[0] != kSohStart || CheckReadCorrectionReply(frame) != 0) {
        return PassThroughRead::NotAccepted;
    }
    const auto codes = DecodePassThroughCodes(frame);
    slope = DecodeSlope(codes.slope, slopeScale);
    offset = DecodeOffset(codes.offset, offsetScale);
    return PassThroughRead::Done;
}

}  // namespace

// An answer the logger did not accept is reported like a failed exchange:
// an operation never ends without telling the technician why.
bool ReadPassThroughCorrection(double& slope, double& offset, uint16_t slopeScale,
                               uint16_t offsetScale) {
    const PassThroughRead read = ReadPassThrough(slope, offset, slopeScale, offsetScale);
    if (read != PassThroughRead::Done) ShowWarning(kMsgReceiveFailed);
    return read == PassThroughRead::Done;
}

bool ReadPassThroughCorrectionQuietly(double& slope, double& offset, uint16_t slopeScale,
                                      uint16_t offsetScale) {
    return ReadPassThrough(slope, offset, slopeScale, offsetScale) == PassThroughRead::Done;
}

}  // namespace tb::client
