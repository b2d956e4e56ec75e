#include "sim/loggers/TextCommand.h"

namespace tb::sim::loggers {

const std::vector<uint8_t>* TextCommand::Field(const std::string& key) const {
    for (const auto& [name, value] : fields) {
        if (name == key) return &value;
    }
    return nullptr;
}

std::optional<TextCommand> ReadTextCommand(std::span<const uint8_t> body) {
    std::size_t at = 0;
    while (at < body.size() && body[at] != ':') ++at;
    if (at == body.size()) return std::nullopt;
    TextCommand command;
    command.word.assign(body.begin(), body.begin() + static_cast<std::ptrdiff_t>(at));
    ++at;
    while (at < body.size()) {
        std::size_t equals = at;
        while (equals < body.size() && body[equals] != '=') ++equals;
        if (body.size() - equals < 3) return std::nullopt;
        const std::size_t length = body[equals + 1] | (body[equals + 2] << 8);
        const std::size_t valueAt = equals + 3;
        if (body.size() - valueAt < length) return std::nullopt;
        command.fields.emplace_back(
            std::string(body.begin() + static_cast<std::ptrdiff_t>(at),
                        body.begin() + static_cast<std::ptrdiff_t>(equals)),
            std::vector<uint8_t>(body.begin() + static_cast<std::ptrdiff_t>(valueAt),
                                 body.begin() + static_cast<std::ptrdiff_t>(valueAt + length)));
        at = valueAt + length;
    }
    return command;
}

TextReply::TextReply(const std::string& word) : body_(word.begin(), word.end()) {
    body_.push_back(':');
}

TextReply& TextReply::Field(const std::string& key, std::span<const uint8_t> value) {
    body_.insert(body_.end(), key.begin(), key.end());
    body_.push_back('=');
    body_.push_back(static_cast<uint8_t>(value.size() & 0xFF));
    body_.push_back(static_cast<uint8_t>((value.size() >> 8) & 0xFF));
    body_.insert(body_.end(), value.begin(), value.end());
    return *this;
}

TextReply& TextReply::Field(const std::string& key, const std::string& value) {
    return Field(key, std::span(reinterpret_cast<const uint8_t*>(value.data()), value.size()));
}

}  // namespace tb::sim::loggers
