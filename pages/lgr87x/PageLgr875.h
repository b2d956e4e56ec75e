// The page of the model-875 logger: CO2 (Ch.1) on the first tab,
// temperature (Ch.2) and humidity (Ch.3) on the second.
#pragma once

#include "pages/lgr87x/DirectUsbPage.h"

namespace tb::pages::lgr87x {

// The model-875 table: library, dialog 135, channels, limits and texts.
const ModelTable& Lgr875Model();

class CPageLgr875 final : public CDirectUsbPage {
  public:
    CPageLgr875() : CDirectUsbPage(Lgr875Model()) {}
};

}  // namespace tb::pages::lgr87x
