#include "cli/ExitCode.h"

namespace tb::cli {

std::string_view ResultName(ExitCode code) {
    switch (code) {
        case ExitCode::Done:
            return "done";
        case ExitCode::Failure:
            return "failure";
        case ExitCode::Usage:
            return "usage";
        case ExitCode::NoLogger:
            return "no-logger";
        case ExitCode::RefusedInput:
            return "refused-input";
        case ExitCode::Limit:
            return "limit";
        case ExitCode::Communication:
            return "communication";
        case ExitCode::Declined:
            return "declined";
        case ExitCode::NoRecord:
            return "no-record";
        case ExitCode::WrittenIncomplete:
            return "written-history-incomplete";
        case ExitCode::NotIssued:
            return "not-issued";
    }
    return "failure";
}

bool IsFailure(ExitCode code) {
    return code != ExitCode::Done && code != ExitCode::WrittenIncomplete;
}

ExitCode Worse(ExitCode first, ExitCode second) {
    return first != ExitCode::Done ? first : second;
}

}  // namespace tb::cli
