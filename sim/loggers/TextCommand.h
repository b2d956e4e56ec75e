// The logger's side of the command texts: a command word, a colon and
// key=value fields with 16-bit little-endian value lengths.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace tb::sim::loggers {

struct TextCommand {
    std::string word;
    std::vector<std::pair<std::string, std::vector<uint8_t>>> fields;

    const std::vector<uint8_t>* Field(const std::string& key) const;
};

// Nothing when there is no colon or a field runs past the end.
std::optional<TextCommand> ReadTextCommand(std::span<const uint8_t> body);

class TextReply {
  public:
    explicit TextReply(const std::string& word);
    TextReply& Field(const std::string& key, std::span<const uint8_t> value);
    TextReply& Field(const std::string& key, const std::string& value);
    std::vector<uint8_t> Take() { return std::move(body_); }

  private:
    std::vector<uint8_t> body_;
};

}  // namespace tb::sim::loggers
