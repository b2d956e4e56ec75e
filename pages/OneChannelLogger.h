// The logger behind a one-channel temperature page, as the page sees it.
//
// The program binds the command client (ClientOneChannelLogger); headless
// tests bind a scripted logger. Read and Write show their own failure and
// success messages, as the command client does.
#pragma once

#include "pages/CorrectionFormula.h"

namespace tb::pages {

class OneChannelLogger {
  public:
    virtual ~OneChannelLogger() = default;
    // Whether the right kind of logger is connected now.
    virtual bool IsConnected() = 0;
    // Reads the logger's correction into `current` (unchanged on failure).
    virtual bool Read(Correction& current) = 0;
    // Writes `composed` and verifies it.
    virtual bool Write(const Correction& composed) = 0;
};

}  // namespace tb::pages
