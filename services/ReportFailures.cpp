#include <algorithm>
#include <cstddef>

#include "resources/StringIds.h"
#include "services/FormatText.h"
#include "services/MessageBox.h"
#include "services/PageServices.h"

namespace tb::services {
namespace {

using namespace resources::strings;

constexpr int32_t kRecordingCode = -9;
constexpr std::size_t kMaxLineLength = 127;

// Cuts text to at most max bytes without splitting a UTF-8 sequence.
std::string CutToLength(std::string text, std::size_t max) {
    if (text.size() <= max) return text;
    std::size_t end = max;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    text.resize(end);
    return text;
}

std::string FailureLine(uint32_t serial, int32_t code) {
    const std::string serialText = FormatText("%08X", {serial});
    return CutToLength(FormatText(LoadResString(kFmtFailureLine), {serialText, code}),
                       kMaxLineLength);
}

}  // namespace

void ReportFailures(const std::vector<uint32_t>& serials, const std::vector<int32_t>& codes) {
    // Both lists should be equally long; only complete pairs are reported.
    const std::size_t count = std::min(serials.size(), codes.size());
    std::string report = LoadResString(kMsgCommunicationFailed);
    if (count == 0) {
        ShowMessage(report, MsgButtons::Ok, MsgIcon::Warning, kMsgCommunicationFailed);
        return;
    }
    bool anyRecording = false;
    for (std::size_t i = 0; i < count; ++i) {
        report += FailureLine(serials[i], codes[i]);
        anyRecording = anyRecording || codes[i] == kRecordingCode;
    }
    if (anyRecording) report += FormatText(LoadResString(kFmtRecordingNote), {kRecordingCode});
    if (codes[count - 1] == kRecordingCode) {
        ShowMessageId(kMsgRecording, MsgButtons::Ok, MsgIcon::Information);
    } else {
        ShowMessage(report, MsgButtons::Ok, MsgIcon::Warning, kMsgCommunicationFailed);
    }
}

}  // namespace tb::services
