#include "cli/PageMessages.h"

#include <array>

#include "journal/JournalRecorder.h"
#include "pages/CorrectionFormula.h"

namespace tb::cli {
namespace {

struct MessageOutcome {
    int id;
    ExitCode code;
};

using namespace tb::pages;

constexpr std::array<MessageOutcome, 30> kOutcomes = {{
    {106, ExitCode::Done},   // the settings were received
    {1013, ExitCode::Done},  // the send has finished
    {1027, ExitCode::Done},  // initialised
    {1050, ExitCode::Done},  // the adjustment ended normally
    {kMsgEnterNumbers, ExitCode::RefusedInput},
    {1008, ExitCode::RefusedInput},  // enter a value of -1.0 or more
    {1009, ExitCode::RefusedInput},  // enter a value of 0 or more
    {kMsgSlopeMustNotBeZero, ExitCode::RefusedInput},
    {kMsgInvalidInput, ExitCode::RefusedInput},
    {kMsgSlopeIsZero, ExitCode::RefusedInput},
    {1063, ExitCode::RefusedInput},  // the entered range is not valid
    {kMsgSlopeRange, ExitCode::Limit},
    {kMsgOffsetLimit30C, ExitCode::Limit},
    {kMsgOffsetLimit50, ExitCode::Limit},
    {kMsgOffsetLimit30, ExitCode::Limit},
    {kMsgSlopeRangeNoise, ExitCode::Limit},
    {kMsgOffsetLimit3, ExitCode::Limit},
    {1012, ExitCode::Limit},  // CH:n ... the formula would become (direct-USB limits)
    {1038, ExitCode::Limit},  // the slope must lie between ...
    {1039, ExitCode::Limit},  // the offset must lie between ...
    {1045, ExitCode::NoLogger},   // no logger connected
    {1046, ExitCode::Usage},      // several devices connected: connect only one
    {kMsgNotConnected, ExitCode::Communication},
    {1014, ExitCode::Communication},  // communication or setting failed (with details)
    {1017, ExitCode::Communication},  // the logger is recording
    {1025, ExitCode::Communication},  // the adjustment history could not be read
    {1037, ExitCode::Communication},  // another operation is communicating
    {1049, ExitCode::Communication},  // error while receiving the settings
    {1036, ExitCode::Failure},        // the history log file could not be saved
    // The journal could not store the record: reported, and the operation
    // keeps its own outcome.
    {journal::kMsgJournalWriteFailed, ExitCode::Done},
}};

}  // namespace

std::optional<ExitCode> OutcomeOfMessage(int id) {
    for (const MessageOutcome& outcome : kOutcomes)
        if (outcome.id == id) return outcome.code;
    return std::nullopt;
}

}  // namespace tb::cli
