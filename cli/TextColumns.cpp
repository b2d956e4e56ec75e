#include "cli/TextColumns.h"

#include <algorithm>
#include <cstdint>

namespace tb::cli {
namespace {

// Characters a terminal draws two cells wide: Hangul Jamo, the CJK blocks
// (radicals, punctuation, kana, ideographs, Yi), Hangul syllables,
// compatibility ideographs, vertical and small forms, fullwidth forms and
// the supplementary ideographic planes.
bool Wide(uint32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF && c != 0x303F) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

// The code point starting at text[i] and its length in bytes; a byte that
// starts no well-formed sequence is one character of its own.
std::pair<uint32_t, std::size_t> Decode(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<uint8_t>(text[k]); };
    const uint8_t lead = byte(i);
    const std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3
                                              : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || i + length > text.size()) return {lead, 1};
    uint32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return {lead, 1};
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    return {c, length};
}

}  // namespace

int DisplayWidth(std::string_view utf8) {
    int cells = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto [c, length] = Decode(utf8, i);
        cells += Wide(c) ? 2 : 1;
        i += length;
    }
    return cells;
}

std::string Column(std::string_view utf8, int cells) {
    std::string text(utf8);
    text.append(static_cast<std::size_t>(std::max(1, cells - DisplayWidth(utf8))), ' ');
    return text;
}

}  // namespace tb::cli
