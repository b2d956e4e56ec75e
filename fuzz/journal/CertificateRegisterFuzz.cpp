// Texts read back from the journal's database that someone else may have
// written: the certificate register's stored lists and the due intervals
// setting.
#include <cstddef>
#include <cstdint>
#include <string>

#include "journal/CertificateRegister.h"
#include "journal/DueList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    (void)tb::journal::StoredRowIds(bytes);
    (void)tb::journal::StoredReferenceIds(bytes);
    tb::journal::JournalError error;
    if (const auto intervals = tb::journal::ParseDueIntervals(bytes, error))
        (void)tb::journal::IntervalOf(*intervals, bytes.substr(0, 16));
    return 0;
}
