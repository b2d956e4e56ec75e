// The logger behind a one-channel temperature page, as the page sees it.
//
// The program binds the command client (ClientOneChannelLogger); headless
// tests bind a scripted logger. Read and Write show their own failure and
// success messages, as the command client does.
#pragma once

#include <optional>
#include <string>

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
    // What the logger holds now, without any message; nothing when it does
    // not answer. Used to record what a write that failed left behind.
    virtual std::optional<Correction> ReadQuietly() { return std::nullopt; }
    // Who answers: the base unit's serial as "%08X", or empty when the
    // logger has no readable identity (the model-890 cable).
    virtual std::string UnitSerial() { return {}; }
};

}  // namespace tb::pages
