#include "sim/main/ConsoleCommand.h"

#include <optional>
#include <vector>

namespace tb::sim {
namespace {

constexpr size_t kMaxWords = 6;

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < line.size() && words.size() <= kMaxWords) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
        size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

// A decimal or 0x-hexadecimal integer within [low, high].
std::optional<int> Number(std::string_view text, int low, int high) {
    bool negative = !text.empty() && text[0] == '-';
    if (negative) text.remove_prefix(1);
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty() || text.size() > 8) return std::nullopt;
    long long value = 0;
    for (char c : text) {
        int digit = c >= '0' && c <= '9'   ? c - '0'
                    : c >= 'a' && c <= 'f' ? c - 'a' + 10
                    : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                           : 99;
        if (digit >= base) return std::nullopt;
        value = value * base + digit;
    }
    if (negative) value = -value;
    if (value < low || value > high) return std::nullopt;
    return static_cast<int>(value);
}

class Reader {
  public:
    explicit Reader(std::vector<std::string_view> words) : words_(std::move(words)) {}
    size_t Left() const { return words_.size() - next_; }
    bool Take(int low, int high, int& out, const char* what) {
        std::optional<int> value;
        if (next_ < words_.size()) value = Number(words_[next_++], low, high);
        if (!value)
            error_ = std::string("expected ") + what;
        else
            out = *value;
        return value.has_value();
    }
    bool TakeCount(int& count) {
        count = 1;
        if (next_ == words_.size()) return true;
        if (words_[next_] == "always") {
            ++next_;
            count = -1;
            return true;
        }
        return Take(1, 1'000'000, count, "a count of replies or \"always\"");
    }
    std::string_view Word() { return next_ < words_.size() ? words_[next_++] : std::string_view{}; }
    const std::string& Error() const { return error_; }

  private:
    std::vector<std::string_view> words_;
    size_t next_ = 0;
    std::string error_;
};

ConsoleCommand Invalid(std::string error) {
    ConsoleCommand command;
    command.kind = ConsoleCommand::Kind::Invalid;
    command.error = std::move(error);
    return command;
}

bool IsFaultVerb(std::string_view verb) {
    return verb == "silence" || verb == "delay" || verb == "split" || verb == "short" ||
           verb == "garble";
}

bool ParseFault(std::string_view verb, Reader& in, Fault& fault) {
    constexpr int kMaxMs = 600'000, kMaxBytes = 65536;
    if (verb == "silence") {
        fault.kind = FaultKind::Silence;
    } else if (verb == "delay") {
        fault.kind = FaultKind::Delay;
        if (!in.Take(0, kMaxMs, fault.ms, "milliseconds")) return false;
    } else if (verb == "split") {
        fault.kind = FaultKind::Split;
        if (!in.Take(0, kMaxBytes, fault.position, "the bytes of the first part") ||
            !in.Take(0, kMaxMs, fault.ms, "the pause in milliseconds"))
            return false;
    } else if (verb == "short") {
        fault.kind = FaultKind::Short;
        if (!in.Take(0, kMaxBytes, fault.position, "the bytes kept")) return false;
    } else {
        fault.kind = FaultKind::Garble;
        int mask = 0;
        if (!in.Take(-kMaxBytes, kMaxBytes, fault.position, "a byte index") ||
            !in.Take(1, 255, mask, "a mask from 1 to 255"))
            return false;
        fault.mask = static_cast<uint8_t>(mask);
    }
    return in.TakeCount(fault.count);
}

}  // namespace

ConsoleCommand ParseConsoleCommand(std::string_view line) {
    if (line.size() > kMaxConsoleLine) return Invalid("line too long");
    Reader in(Words(line));
    if (in.Left() == 0) return {};
    if (in.Left() > kMaxWords) return Invalid("too many words");
    std::string_view verb = in.Word();
    ConsoleCommand command;
    if (verb == "help")
        command.kind = ConsoleCommand::Kind::Help;
    else if (verb == "dump")
        command.kind = ConsoleCommand::Kind::Dump;
    else {
        if (verb != "busy" && verb != "clear" && verb != "unplug" && verb != "replug" &&
            !IsFaultVerb(verb))
            return Invalid("unknown command (try help)");
        if (!in.Take(1, 256, command.com, "a COM number from 1 to 256")) return Invalid(in.Error());
        if (verb == "busy") {
            std::string_view state = in.Word();
            if (state != "on" && state != "off") return Invalid("expected on or off");
            command.kind = ConsoleCommand::Kind::Busy;
            command.busy = state == "on";
        } else if (verb == "clear") {
            command.kind = ConsoleCommand::Kind::Clear;
        } else if (verb == "unplug") {
            command.kind = ConsoleCommand::Kind::Unplug;
            if (in.Left() != 0) {
                if (in.Word() != "mid") return Invalid("expected mid or nothing");
                command.midExchange = true;
            }
        } else if (verb == "replug") {
            command.kind = ConsoleCommand::Kind::Replug;
        } else {
            command.kind = ConsoleCommand::Kind::Arm;
            if (!ParseFault(verb, in, command.fault)) return Invalid(in.Error());
        }
    }
    if (in.Left() != 0) return Invalid("unexpected words at the end");
    return command;
}

std::string RunConsoleCommand(const ConsoleCommand& command, Bench& bench) {
    using Kind = ConsoleCommand::Kind;
    switch (command.kind) {
        case Kind::Nothing:
            return {};
        case Kind::Help:
            return ConsoleHelp();
        case Kind::Dump:
            return bench.Dump();
        case Kind::Invalid:
            return "error: " + command.error + "\n";
        default:
            break;
    }
    auto lock = bench.LockState();
    std::string com = "COM" + std::to_string(command.com);
    if (command.kind == Kind::Replug) {
        if (!bench.Replug(command.com)) return "error: no device unplugged from " + com + "\n";
        return com + " plugged in at " + bench.Port(command.com)->Path() + "\n";
    }
    if (command.kind == Kind::Unplug && !command.midExchange) {
        if (!bench.Unplug(command.com)) return "error: no device on " + com + "\n";
        return com + " unplugged\n";
    }
    if (command.kind == Kind::Unplug) {
        if (!bench.UnplugOnNextReply(command.com)) return "error: no device on " + com + "\n";
        return com + " will be pulled out at its next reply\n";
    }
    SimPort* port = bench.Port(command.com);
    if (port == nullptr) return "error: no device on " + com + "\n";
    if (command.kind == Kind::Busy) {
        if (!port->SetBusy(command.busy)) return "error: " + com + " is held by a client\n";
        return com + (command.busy ? " kept busy\n" : " free\n");
    }
    if (command.kind == Kind::Clear)
        port->ClearFaults();
    else
        port->Faults().Arm(command.fault);
    return com + " faults: " + port->Faults().Describe() + "\n";
}

std::string ConsoleHelp() {
    return "commands: dump | busy COM on|off | silence COM [count] | delay COM MS [count] |\n"
           "          split COM BYTES PAUSE-MS [count] | short COM BYTES [count] |\n"
           "          garble COM INDEX MASK [count] | clear COM |\n"
           "          unplug COM [mid] | replug COM | help\n"
           "count: replies affected (default 1) or \"always\"\n";
}

}  // namespace tb::sim
