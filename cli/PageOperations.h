// One page operation run from the command line: the page of the model is
// opened behind an in-memory view, its controls are filled as a technician
// would fill them, its button is pressed, and its message boxes become the
// terminal's output and the command's exit code. The page does all the
// work (finding the logger, reading, deriving, checking, composing,
// writing); nothing here computes a correction.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/CommandValues.h"
#include "cli/ExitCode.h"
#include "cli/LoggerChoosing.h"
#include "cli/LoggerDirectory.h"
#include "cli/ModelNames.h"
#include "cli/Terminal.h"
#include "cli/TerminalMessageBoxes.h"
#include "pages/AdjustablePage.h"
#include "pages/CorrectionFormula.h"

namespace tb::cli {

using pages::ChannelPlace;

enum class Operation { Read, Adjust, Initialise };

// What is entered on the page for an adjustment: one point or two.
struct AdjustInput {
    int channel = 1;
    std::vector<Reading> points;
    // The tab of the pair initialise resets (--pair); else the tab of `channel`.
    std::optional<int> pairTab;
};

struct ChannelCorrection {
    int channel = 1;
    pages::Correction correction;  // in the logger's own unit
    std::string shown;             // the page's current-setting line
};

struct OperationResult {
    ExitCode code = ExitCode::Done;
    std::string logger;   // the logger's label, "-" when none was chosen
    std::string message;  // the command line's own reason when no page ran
    std::vector<ShownBox> boxes;
    // What the logger holds, decoded from its codes: after read, adjust or
    // initialise, and after a failure whenever the page could tell.
    std::vector<ChannelCorrection> current;
    std::optional<pages::Correction> composed; // adjust: what was (or would be) written
    // The logger's correction was changed by this operation (read back).
    bool written = false;
    // What the page said the operation left in the logger.
    pages::OperationOutcome outcome;
};

struct OperationOptions {
    AnswerPolicy policy = AnswerPolicy::Ask;
    bool printBoxes = true;  // false for --json: the boxes go into the result only
};

// Checks the entry against the model before any logger is touched: Usage
// for a channel the model lacks or a wrong number of points. (A reading
// longer than its edit box takes is refused once the page is open.)
ExitCode CheckAdjustInput(const ModelRow& row, const AdjustInput& input, std::string& message);

// The adjustment history lists of a direct-USB page, one per sensor pair.
struct HistoryList {
    std::string caption;
    std::vector<std::vector<std::string>> rows;
};

struct HistoryResult {
    ExitCode code = ExitCode::Done;
    std::string logger;
    std::string message;
    std::vector<ShownBox> boxes;
    std::vector<HistoryList> lists;
};

// Opens the page (which reads the logger's history records into its lists)
// and receives, so that a missing logger or a failed read is reported.
HistoryResult ReadHistoryLists(const ModelRow& row, const LoggerChoice& choice,
                               const OperationOptions& options, Terminal& terminal);

OperationResult RunOperation(const ModelRow& row, const LoggerChoice& choice, Operation operation,
                             const AdjustInput& input, const OperationOptions& options,
                             Terminal& terminal);

}  // namespace tb::cli
