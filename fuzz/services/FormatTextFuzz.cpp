// Message formats are replaceable text: any format must fill safely.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "services/FormatText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view format(reinterpret_cast<const char*>(data), size);
    double real = 0.0;
    if (size >= sizeof real) std::memcpy(&real, data, sizeof real);
    const int32_t code = size >= 4 ? static_cast<int32_t>(data[0] | data[1] << 8 | data[2] << 16 |
                                                          static_cast<uint32_t>(data[3]) << 24)
                                   : -9;
    const std::string text(format.substr(0, 16));
    const std::string out =
        tb::services::FormatText(format, {text, code, real, uint32_t{0xDEADBEEF}, 'F'});
    // Every conversion adds at most a bounded piece.
    if (out.size() > size * (tb::services::kMaxFieldWidth + 400) + 64) std::abort();
    return 0;
}
