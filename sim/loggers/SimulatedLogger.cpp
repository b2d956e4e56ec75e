#include "sim/loggers/SimulatedLogger.h"

#include <cstdio>

#include "sim/core/WireBytes.h"
#include "sim/loggers/SohPacket.h"
#include "sim/loggers/TextCommand.h"

namespace tb::sim::loggers {
namespace {

constexpr uint8_t kLetterRead = 'm';
constexpr uint8_t kLetterWrite = 'n';
constexpr uint8_t kRefused = 0x15;

std::string Hex(std::span<const uint8_t> bytes) {
    std::string text;
    char piece[4];
    for (uint8_t b : bytes) {
        std::snprintf(piece, sizeof piece, "%02X", b);
        if (!text.empty()) text += ' ';
        text += piece;
    }
    return text;
}

bool ActionIs(const TextCommand& command, char digit) {
    const auto* action = command.Field("ACT");
    return action && action->size() == 1 && (*action)[0] == static_cast<uint8_t>(digit);
}

}  // namespace

SimulatedLogger::SimulatedLogger(LoggerModel model) : model_(std::move(model)) {
    settings_[kDeviceCodeByte] = model_.deviceCode;
    if (model_.hasPassThrough) settings_[kInputFlagsByte] |= kNoiseInputFlag;
    Reset();
}

void SimulatedLogger::Reset() {
    adjustment_.fill(0);
    for (int channel = 0; channel < model_.channels; ++channel) {
        adjustment_[channel * 4] = static_cast<uint8_t>(model_.factorySlopeCode & 0xFF);
        adjustment_[channel * 4 + 1] = static_cast<uint8_t>(model_.factorySlopeCode >> 8);
    }
    passThrough_ = {};
}

std::vector<uint8_t> SimulatedLogger::OnCommand(std::span<const uint8_t> text) {
    auto reply = Answer(text);
    return reply ? std::move(*reply) : std::vector<uint8_t>{};
}

std::optional<std::vector<uint8_t>> SimulatedLogger::Answer(std::span<const uint8_t> body) {
    if (LoggerFaults::Take(faults_.silence)) return std::nullopt;
    const auto command = ReadTextCommand(body);
    if (!command) return Reply("EIERR", false, std::nullopt);
    if (command->word == "EIADJ") return AnswerAdjust(*command);
    if (command->word == "EISET") return AnswerSettings(*command);
    if (command->word == "EISOH") return AnswerPassThrough(*command);
    return Reply(command->word, false, std::nullopt);
}

std::vector<uint8_t> SimulatedLogger::Reply(const std::string& word, bool ok,
                                            std::optional<std::span<const uint8_t>> data) {
    const std::string replyWord = LoggerFaults::Take(faults_.wrongWord) ? "EIERR" : word;
    TextReply reply(replyWord);
    if (!LoggerFaults::Take(faults_.missingStatus)) {
        reply.Field("STATUS", word.substr(0, 5) + (ok ? "0000" : "0001"));
    }
    if (data && !LoggerFaults::Take(faults_.missingData)) {
        auto value = *data;
        if (LoggerFaults::Take(faults_.shortData)) value = value.first(value.size() / 2);
        reply.Field("DATA", value);
    }
    return reply.Take();
}

std::vector<uint8_t> SimulatedLogger::AnswerAdjust(const TextCommand& command) {
    if (ActionIs(command, '0')) {
        const auto* data = command.Field("DATA");
        if (!data || data->size() != adjustment_.size()) return Reply(command.word, false, {});
        std::copy(data->begin(), data->end(), adjustment_.begin());
        ++adjustmentWrites_;
        return Reply(command.word, true, std::nullopt);
    }
    if (!ActionIs(command, '1')) return Reply(command.word, false, std::nullopt);
    ++adjustmentReads_;
    Block64 readBack = adjustment_;
    if (LoggerFaults::Take(faults_.readBackDiffers)) readBack[readBack.size() - 1] ^= 0xFF;
    return Reply(command.word, true, std::span<const uint8_t>(readBack));
}

std::vector<uint8_t> SimulatedLogger::AnswerSettings(const TextCommand& command) {
    if (!ActionIs(command, '1')) return Reply(command.word, false, std::nullopt);
    return Reply(command.word, true, std::span<const uint8_t>(settings_));
}

std::vector<uint8_t> SimulatedLogger::AnswerPassThrough(const TextCommand& command) {
    const auto* data = command.Field("DATA");
    const auto request = data ? ReadSohRequest(*data) : std::nullopt;
    const uint8_t letter = request ? request->letter : 0;
    uint8_t answer = kAccept;
    if (!request || !model_.hasPassThrough || (letter != kLetterRead && letter != kLetterWrite)) {
        answer = kRefused;
    } else if (LoggerFaults::Take(faults_.refusals)) {
        answer = faults_.refusalCode;
    }
    if (answer == kAccept && letter == kLetterWrite) {
        passThrough_ = {static_cast<int16_t>(request->word1), request->word2};
    }
    PassThroughCorrection shown = passThrough_;
    if (answer == kAccept && letter == kLetterRead && LoggerFaults::Take(faults_.readBackDiffers)) {
        shown.slopeCode ^= 1;
    }
    const auto packet = MakeSohAnswer(letter, answer, static_cast<uint16_t>(shown.offsetCode),
                                      shown.slopeCode, LoggerFaults::Take(faults_.badCheck));
    return Reply(command.word, answer == kAccept, std::span<const uint8_t>(packet));
}

std::string SimulatedLogger::DumpState() const {
    std::string text = "logger: " + model_.name + "\n";
    char line[96];
    std::snprintf(line, sizeof line, "device code: 0x%02X\ninput flags: 0x%02X\n",
                  settings_[kDeviceCodeByte], settings_[kInputFlagsByte]);
    text += line;
    for (int channel = 0; channel < model_.channels; ++channel) {
        std::snprintf(line, sizeof line, "channel %d: slope code %u, offset code %d\n", channel + 1,
                      wire::ReadU16(adjustment_, channel * 4),
                      static_cast<int16_t>(wire::ReadU16(adjustment_, channel * 4 + 2)));
        text += line;
    }
    if (model_.hasPassThrough) {
        std::snprintf(line, sizeof line, "pass-through: slope code %u, offset code %d\n",
                      passThrough_.slopeCode, passThrough_.offsetCode);
        text += line;
    }
    text += "adjustment block: " + Hex(adjustment_) + "\n";
    text += "faults: " + faults_.Describe() + "\n";
    return text;
}

}  // namespace tb::sim::loggers
