// A lab's settings text for its stated uncertainty and limits: any bytes
// at all. What is read is a finite positive figure with a positive factor,
// never more than the cap, and every channel finds one or none.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "journal/StatedFigures.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    tb::journal::JournalError error;
    const auto figures = tb::journal::ParseStatedFigures(text, "Journal/Uncertainty", error);
    if (!figures) {
        if (!error) __builtin_trap();  // a refusal always says why
        return 0;
    }
    if (figures->size() > tb::journal::kMaxStatedFigures) __builtin_trap();
    for (const tb::journal::StatedFigure& figure : *figures) {
        if (!(figure.value > 0.0) || !std::isfinite(figure.value) || !(figure.coverageFactor > 0.0))
            __builtin_trap();
    }
    for (const char* unit : {"°C", "°F", "%RH", "lx", ""}) (void)tb::journal::FigureFor(*figures, "CH1", unit);
    return 0;
}
