#include "sim/baseunit/ScriptedLogger.h"

#include <algorithm>

namespace tb::sim {

void ScriptedLogger::QueueReply(std::vector<uint8_t> text) {
    std::lock_guard lock(mutex_);
    queued_.push_back(std::move(text));
}

void ScriptedLogger::SetEcho(bool echo) {
    std::lock_guard lock(mutex_);
    echo_ = echo;
}

std::vector<std::vector<uint8_t>> ScriptedLogger::Commands() const {
    std::lock_guard lock(mutex_);
    return commands_;
}

std::vector<uint8_t> ScriptedLogger::OnCommand(std::span<const uint8_t> text) {
    std::lock_guard lock(mutex_);
    commands_.emplace_back(text.begin(), text.end());
    if (!queued_.empty()) {
        auto reply = std::move(queued_.front());
        queued_.pop_front();
        return reply;
    }
    if (echo_) return {text.begin(), text.end()};
    return StatusReply(text);
}

std::string ScriptedLogger::DumpState() const {
    std::lock_guard lock(mutex_);
    std::string state = "logger: scripted\n";
    state += "commands: " + std::to_string(commands_.size()) + "\n";
    if (!commands_.empty()) {
        const auto& last = commands_.back();
        std::string shown;
        for (uint8_t c : last) shown += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '.';
        state += "last command: " + shown + "\n";
    }
    return state;
}

std::vector<uint8_t> StatusReply(std::span<const uint8_t> text) {
    const auto colon = std::find(text.begin(), text.end(), ':');
    std::string word(text.begin(), colon);
    word.resize(5, ' ');
    const std::string status = word + "0000";
    std::string reply = word + ":STATUS=";
    reply += static_cast<char>(status.size());
    reply += '\0';
    reply += status;
    return {reply.begin(), reply.end()};
}

}  // namespace tb::sim
