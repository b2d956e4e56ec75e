// Typed texts on their way into a log line: the cut to whole characters and
// the conversion into the locale's encoding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "pages/history/HistoryLog.h"
#include "pages/history/LocaleEncoding.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::size_t limit = data[0] % 20;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

    const std::string cut = tb::history::CutToCharacters(text, limit);
    if (cut.size() > text.size() || text.compare(0, cut.size(), cut) != 0) std::abort();
    // Whole characters only: valid UTF-8 in, valid UTF-8 out.
    const bool valid = tb::history::ToEncoding(text, "UTF-8").has_value();
    if (valid && !tb::history::ToEncoding(cut, "UTF-8")) std::abort();

    for (const char* codeset : {"SHIFT_JIS", "EUC-JP", "ANSI_X3.4-1968"}) {
        const auto converted = tb::history::ToEncoding(text, codeset);
        if (converted && !valid) std::abort();  // nothing invalid is passed on
    }
    return 0;
}
