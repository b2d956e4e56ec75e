// What an adjustment page tells about its channels, whatever logger it
// serves: how many it has, where each lives on the page, the correction
// the logger holds and the one the page composed for writing. The command
// line fills and reads a page through this alone.
#pragma once

#include <optional>

#include "pages/AdjustChannel.h"
#include "pages/CorrectionFormula.h"

namespace tb::pages {

// Where a channel lives on its page.
struct ChannelPlace {
    ChannelIds ids;
    int tab;         // the tab that shows it; 0 on a page without tabs
    int editLength;  // characters its edit boxes take
};

// What the last operation left in the logger, as far as the page could
// tell once the operation had ended, success or failure.
enum class LoggerWrite {
    None,     // nothing reached the logger: it holds what it held before
    Written,  // the new correction is in the logger, read back
    Unknown,  // a write was started and what the logger holds could not be read
};

struct OperationOutcome {
    LoggerWrite write = LoggerWrite::None;
    // The logger was found and its correction read in this operation, so a
    // later failure is one of communication, not a logger missing.
    bool loggerRead = false;
    // Written, but the logger's history record or the history log file was not.
    bool historyIncomplete = false;
};

class AdjustablePage {
  public:
    // Channels are numbered from 1 to AdjustableChannels(), as the page's
    // labels and messages number them.
    virtual int AdjustableChannels() const = 0;
    virtual ChannelPlace PlaceOfChannel(int channel) const = 0;
    // The correction the logger held when last read (or written).
    virtual Correction CurrentCorrection(int channel) const = 0;
    // The correction the page composed for writing, where it keeps one.
    virtual std::optional<Correction> ComposedCorrection(int channel) const = 0;
    // What the last initialise or send left in the logger; after a write
    // (or a failure once the logger was read again) CurrentCorrection
    // answers with what the logger holds, decoded from its codes.
    virtual OperationOutcome LastOutcome() const = 0;

  protected:
    AdjustablePage() = default;
    ~AdjustablePage() = default;
    AdjustablePage(const AdjustablePage&) = default;
    AdjustablePage& operator=(const AdjustablePage&) = default;
};

}  // namespace tb::pages
