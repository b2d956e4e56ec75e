// Any bytes as a table cell: the width is never more than the bytes and
// never less than their characters can take, and the padded column is at
// least as wide as asked and starts with the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "cli/TextColumns.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const int cells = data[0] % 32;
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    const int width = tb::cli::DisplayWidth(text);
    if (width < 0 || static_cast<std::size_t>(width) > 2 * text.size()) std::abort();
    if (!text.empty() && width == 0) std::abort();
    const std::string column = tb::cli::Column(text, cells);
    if (column.compare(0, text.size(), text) != 0) std::abort();
    if (tb::cli::DisplayWidth(column) < cells || column.back() != ' ') std::abort();
    return 0;
}
