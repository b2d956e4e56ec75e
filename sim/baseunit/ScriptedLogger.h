// A stand-in logger with scripted answers: queued replies first, then
// either the command echoed back or a plain status reply
// "<WORD>:STATUS=" 09 00 "<WORD>0000" (WORD: the command word, five letters).
#pragma once

#include <deque>
#include <mutex>

#include "sim/baseunit/LoggerBehindUnit.h"

namespace tb::sim {

class ScriptedLogger final : public LoggerBehindUnit {
  public:
    // The next command is answered with text instead.
    void QueueReply(std::vector<uint8_t> text);
    // Answers every command with its own text.
    void SetEcho(bool echo);
    std::vector<std::vector<uint8_t>> Commands() const;

    std::vector<uint8_t> OnCommand(std::span<const uint8_t> text) override;
    std::string DumpState() const override;

  private:
    mutable std::mutex mutex_;
    std::deque<std::vector<uint8_t>> queued_;
    std::vector<std::vector<uint8_t>> commands_;
    bool echo_ = false;
};

// "<WORD>:STATUS=" 09 00 "<WORD>0000" for the command word of text.
std::vector<uint8_t> StatusReply(std::span<const uint8_t> text);

}  // namespace tb::sim
