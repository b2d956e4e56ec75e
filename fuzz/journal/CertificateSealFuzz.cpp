// A file named to `trimbench journal verify --certificate`: any bytes at
// all, searched for the seal a certificate carries; and the texts a user
// types for the ambient conditions.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "journal/CertificateSeal.h"
#include "journal/WorkConditions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (const auto seal = tb::journal::FindSeal(bytes)) {
        // What was found writes back to a seal that is found again as it was.
        if (tb::journal::FindSeal(tb::journal::SealText(*seal)) != seal) __builtin_trap();
    }
    tb::journal::WorkSelection selection;
    tb::journal::JournalError error;
    (void)tb::journal::ParseAmbient(std::string(bytes.substr(0, 64)), selection, error);
    return 0;
}
