// A batch file's text into the CSV parser, and each row's fields into the
// parsers of serial numbers, channels and points.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "cli/Arguments.h"
#include "cli/BatchFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const tb::cli::BatchFile file = tb::cli::ParseBatchFile(text);

    // Either a fault or rows, never both; every kept field is bounded.
    if (!file.error.empty() && !file.rows.empty()) std::abort();
    if (file.rows.size() > tb::cli::kMaxBatchRows) std::abort();
    for (const tb::cli::BatchRow& row : file.rows) {
        for (const std::string* field : {&row.model, &row.serial, &row.channel, &row.before1,
                                         &row.after1, &row.before2, &row.after2, &row.inputKind}) {
            if (field->size() > tb::cli::kMaxFieldLength) std::abort();
        }
        if (row.line < 2) std::abort();
        const auto channel = tb::cli::ParseChannel(row.channel);
        if (channel && *channel < 1) std::abort();
        const auto logger = tb::cli::ParseLoggerName(row.serial);
        if (logger && logger->com && (*logger->com < 1 || *logger->com > 256)) std::abort();
        tb::cli::ParsePoint(row.before1 + ":" + row.after1);
    }
    return 0;
}
