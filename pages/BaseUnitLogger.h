// The logger behind a base-unit page (820/821, 830, 835, 850) or behind the
// model-890 cable, as the page sees it: one or two channels.
//
// The program binds the command client (ClientBaseUnitLogger); headless
// tests bind a scripted logger. Read, Write and Initialise show their own
// failure and success messages, as the command client does.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "pages/CorrectionFormula.h"

namespace tb::pages {

// Whether a correction can be stored in the logger's 16-bit codes.
enum class CodeFit { Fits, SlopeDoesNotFit, OffsetDoesNotFit };

class BaseUnitLogger {
  public:
    virtual ~BaseUnitLogger() = default;
    // Whether the right kind of logger is connected now.
    virtual bool IsConnected() = 0;
    // Checks as IsConnected does and keeps every later exchange on the very
    // unit (or cable port) found, until Unpin: a unit plugged in meanwhile
    // is never talked to, and the one found gone makes the exchange fail.
    // Nothing stays pinned when it answers false.
    virtual bool ConnectPinned() { return IsConnected(); }
    virtual void Unpin() {}
    // Reads the logger's correction of each channel (as many as `current`
    // holds) into `current`, which is unchanged on failure.
    virtual bool Read(std::span<Correction> current) = 0;
    // Writes `composed` (one entry per channel) and verifies it.
    virtual bool Write(std::span<const Correction> composed) = 0;
    // Writes the factory state; most loggers take it as any other write.
    virtual bool Initialise(std::span<const Correction> identity) { return Write(identity); }
    // Whether `composed` fits the codes the logger stores; nothing is sent.
    virtual CodeFit Fits(const Correction& composed) const = 0;
    // What the logger holds once `composed` is written: its values rounded
    // and encoded into the logger's codes, decoded again. Only asked of a
    // correction that Fits.
    virtual Correction Stored(const Correction& composed) const {
        return {RoundHalfAway(composed.slope, 3), RoundHalfAway(composed.offset, 3)};
    }
    // What the logger holds now (as many channels as `current` holds),
    // without any message; false when it does not tell. Used to learn what
    // a write that was not confirmed left behind.
    virtual bool ReadQuietly(std::span<Correction> /*current*/) { return false; }
    // The base unit's serial as "%08X", or empty when the logger is not
    // behind a base unit (the model-890 cable) or none answers.
    virtual std::string UnitSerial() { return {}; }
    // The device code the last connection check found, where the logger
    // tells one; the journal names the model after it.
    virtual std::optional<uint8_t> DeviceCode() const { return std::nullopt; }
};

}  // namespace tb::pages
