// The page of the model-870 logger: illuminance (Ch.1) and UV (Ch.2) on the
// first tab, temperature (Ch.3) and humidity (Ch.4) on the second.
#pragma once

#include <cstdint>
#include <string>

#include "pages/lgr87x/DirectUsbPage.h"

namespace tb::pages::lgr87x {

// The model-870 table: library, dialog 129, channels, limits and texts.
const ModelTable& Lgr870Model();

// A stored illuminance ('I') or UV ('U') value as the history list shows
// it: -1000 to -1 are readings below zero in thousandths; any other value
// is the logger's data value, made into text by the library.
std::string FormatHistoryValue(int16_t value, char kind);

class CPageLgr870 final : public CDirectUsbPage {
  public:
    CPageLgr870() : CDirectUsbPage(Lgr870Model()) {}
};

}  // namespace tb::pages::lgr87x
