// A journal row read from a database that someone else may have written:
// the channels text is parsed and every field is shown as the window, the
// CSV export and the chain see it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "journal/CsvExport.h"
#include "journal/JournalChain.h"
#include "journal/JournalText.h"
#include "journal/WorkConditions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    tb::journal::JournalEntry entry;
    entry.channels = bytes;
    entry.recordedUtc = bytes.substr(0, 32);
    entry.utcOffsetMinutes = size > 0 ? static_cast<int8_t>(data[0]) * 10 : 0;
    entry.outcome = bytes.substr(0, 8);
    entry.references = bytes;
    entry.rowVersion = size > 1 ? data[1] % 3 : 0;
    (void)tb::journal::ParseChannels(bytes);
    (void)tb::journal::ParseReferences(bytes);
    (void)tb::journal::DetailText(entry);
    (void)tb::journal::CsvText({entry});
    (void)tb::journal::ChainValue(bytes, entry);
    return 0;
}
