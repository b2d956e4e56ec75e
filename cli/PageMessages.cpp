#include "cli/PageMessages.h"

#include <array>

#include "resources/StringIds.h"

namespace tb::cli {
namespace {

using namespace resources::strings;

struct MessageOutcome {
    int id;
    ExitCode code;
};

constexpr std::array<MessageOutcome, 32> kOutcomes = {{
    {kMsgReceived, ExitCode::Done},
    {kMsgSent, ExitCode::Done},
    {kMsgInitialised, ExitCode::Done},
    {kMsgAdjustmentFinished, ExitCode::Done},
    {kMsgEnterNumbers, ExitCode::RefusedInput},
    {kMsgBelowMinusOne, ExitCode::RefusedInput},
    {kMsgBelowZero, ExitCode::RefusedInput},
    {kMsgSlopeMustNotBeZero, ExitCode::RefusedInput},
    {kMsgInvalidInput, ExitCode::RefusedInput},
    {kMsgSlopeIsZero, ExitCode::RefusedInput},
    {kMsgInvalidRange, ExitCode::RefusedInput},
    {kMsgSlopeRange, ExitCode::Limit},
    {kMsgOffsetLimit30C, ExitCode::Limit},
    {kMsgOffsetLimit50, ExitCode::Limit},
    {kMsgOffsetLimit30, ExitCode::Limit},
    {kMsgSlopeRangeNoise, ExitCode::Limit},
    {kMsgOffsetLimit3, ExitCode::Limit},
    {kMsgLimitFormula, ExitCode::Limit},  // the direct-USB pages' limits
    {kMsgSlopeLimit, ExitCode::Limit},
    {kMsgOffsetLimit, ExitCode::Limit},
    {kMsgNoLogger, ExitCode::NoLogger},
    {kMsgSeveralLoggers, ExitCode::Usage},  // connect only one
    {kMsgNotConnected, ExitCode::Communication},
    {kMsgCommunicationFailed, ExitCode::Communication},  // with details
    {kMsgRecording, ExitCode::Communication},
    {kMsgHistoryReadFailed, ExitCode::Communication},
    {kMsgCommBusy, ExitCode::Communication},
    {kMsgReceiveFailed, ExitCode::Communication},
    {kMsgHistorySaveFailed, ExitCode::Failure},
    // The correction is in the logger; its history is not.
    {kMsgWrittenHistoryIncomplete, ExitCode::WrittenIncomplete},
    {kMsgLoggerStateUnknown, ExitCode::Communication},
    // The journal could not store the record: reported, and the operation
    // keeps its own outcome.
    {kMsgJournalWriteFailed, ExitCode::Done},
}};

}  // namespace

std::optional<ExitCode> OutcomeOfMessage(int id) {
    for (const MessageOutcome& outcome : kOutcomes)
        if (outcome.id == id) return outcome.code;
    return std::nullopt;
}

}  // namespace tb::cli
