// Builds reply frames byte by byte for the tests, independently of the
// client's own frame code.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tb::client::test {

class ReplyBytes {
  public:
    explicit ReplyBytes(std::string_view word) {
        Text(word);
        body_.push_back(':');
    }
    ReplyBytes& Text(std::string_view text) {
        body_.insert(body_.end(), text.begin(), text.end());
        return *this;
    }
    ReplyBytes& Raw(std::vector<uint8_t> bytes) {
        body_.insert(body_.end(), bytes.begin(), bytes.end());
        return *this;
    }
    ReplyBytes& Field(std::string_view key, std::vector<uint8_t> value) {
        Text(key);
        body_.push_back('=');
        body_.push_back(static_cast<uint8_t>(value.size() & 0xFF));
        body_.push_back(static_cast<uint8_t>(value.size() >> 8));
        return Raw(std::move(value));
    }
    ReplyBytes& Field(std::string_view key, std::string_view value) {
        return Field(key, std::vector<uint8_t>(value.begin(), value.end()));
    }
    const std::vector<uint8_t>& Body() const { return body_; }
    std::vector<uint8_t> Frame() const { return FrameOf(body_); }

    static std::vector<uint8_t> FrameOf(const std::vector<uint8_t>& body) {
        const std::size_t n = body.size();
        std::vector<uint8_t> frame(4 + n + 2);
        frame[0] = 'T';
        frame[1] = '2';
        frame[2] = static_cast<uint8_t>(n & 0xFF);
        frame[3] = static_cast<uint8_t>(n >> 8);
        unsigned sum = 0;
        for (std::size_t i = 0; i < n; ++i) {
            frame[4 + i] = body[i];
            sum += body[i];
        }
        frame[4 + n] = static_cast<uint8_t>(sum & 0xFF);
        frame[5 + n] = static_cast<uint8_t>((sum >> 8) & 0xFF);
        return frame;
    }

  private:
    std::vector<uint8_t> body_;
};

}  // namespace tb::client::test
