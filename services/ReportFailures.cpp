#include <algorithm>
#include <cstddef>

#include "services/FormatText.h"
#include "services/MessageBox.h"
#include "services/PageServices.h"

namespace tb::services {
namespace {

constexpr int kFailedMessage = 1014;
constexpr int kFailureLineMessage = 1015;
constexpr int kRecordingNoteMessage = 1016;
constexpr int kRecordingMessage = 1017;
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
    return CutToLength(FormatText(LoadResString(kFailureLineMessage), {serialText, code}),
                       kMaxLineLength);
}

}  // namespace

void ReportFailures(const std::vector<uint32_t>& serials, const std::vector<int32_t>& codes) {
    // Both lists should be equally long; only complete pairs are reported.
    const std::size_t count = std::min(serials.size(), codes.size());
    std::string report = LoadResString(kFailedMessage);
    if (count == 0) {
        ShowMessage(report, MsgButtons::Ok, MsgIcon::Warning, kFailedMessage);
        return;
    }
    bool anyRecording = false;
    for (std::size_t i = 0; i < count; ++i) {
        report += FailureLine(serials[i], codes[i]);
        anyRecording = anyRecording || codes[i] == kRecordingCode;
    }
    if (anyRecording) report += FormatText(LoadResString(kRecordingNoteMessage), {kRecordingCode});
    if (codes[count - 1] == kRecordingCode) {
        ShowMessageId(kRecordingMessage, MsgButtons::Ok, MsgIcon::Information);
    } else {
        ShowMessage(report, MsgButtons::Ok, MsgIcon::Warning, kFailedMessage);
    }
}

}  // namespace tb::services
