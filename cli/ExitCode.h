// The exit codes of trimbench, as its manual page documents them. Scripts
// rely on the numbers: they never change meaning.
#pragma once

#include <string_view>

namespace tb::cli {

enum class ExitCode : int {
    Done = 0,
    Failure = 1,        // anything else: unreadable file, unexpected message
    Usage = 2,          // bad options or arguments, ambiguous logger
    NoLogger = 3,       // no logger of that model attached (or not the one named)
    RefusedInput = 4,   // a reading the page does not accept
    Limit = 5,          // the correction is outside the channel's limits
    Communication = 6,  // the logger did not answer, refused, or the read-back differed
    Declined = 7,       // the confirmation was answered No
    NoRecord = 8,       // the journal holds no record for what was asked
    // The correction is in the logger (read back), but its history record or
    // the history log file was not saved: never to be run again.
    WrittenIncomplete = 9,
    // A certificate would lack what a lab's certificate must state (the
    // lab, the method, the authoriser, an uncertainty...): none was issued.
    NotIssued = 10,
};

// The stable name of a code in --json output and in the batch summary.
std::string_view ResultName(ExitCode code);

// Whether the code calls for a look before anything runs again: every code
// but Done and WrittenIncomplete (whose correction is in the logger).
bool IsFailure(ExitCode code);

// The first failure wins: Done only when both are Done.
ExitCode Worse(ExitCode first, ExitCode second);

}  // namespace tb::cli
