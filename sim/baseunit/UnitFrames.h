// Link frames as a base unit sees them: it takes in kind-'2' frames
// ('T' '2', 16-bit length n, n bytes of text, 16-bit byte sum of the text)
// from its line and answers with frames of the same kind.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tb::sim {

// A kind-'2' frame carrying text.
std::vector<uint8_t> MakeUnitFrame(std::span<const uint8_t> text);

// Collects the bytes of the line and cuts complete frames out of them.
class UnitFrameReader {
  public:
    struct Frame {
        std::vector<uint8_t> text;
        bool checkOk = false;
    };

    void Feed(std::span<const uint8_t> bytes);
    // The next complete kind-'2' frame. Bytes that cannot start one are
    // skipped; frames of other kinds are skipped whole.
    std::optional<Frame> Next();
    size_t Pending() const { return buffer_.size(); }
    uint64_t Skipped() const { return skipped_; }

  private:
    void Skip(size_t count);

    std::vector<uint8_t> buffer_;
    uint64_t skipped_ = 0;
};

}  // namespace tb::sim
