// A certificate's results from the journal's rows: per channel of every
// adjustment with reference points, the reference value, the reading as
// found, the errors as found and as left with their unit, the lab's
// expanded uncertainty and the conformity statement.
//
// The reading as found and the reference are the pair the technician
// entered (before, after). The error as left is the reading the logger
// gives for the same input with the correction read back from it:
// as-left(as-found⁻¹(reading)) − reference, the corrections in the
// channel's own unit (°C for a channel read in °F).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "journal/CertificateContent.h"
#include "journal/JournalEntry.h"
#include "journal/JournalError.h"
#include "journal/StatedFigures.h"

namespace tb::journal {

struct ResultRules {
    std::vector<StatedFigure> uncertainty;
    std::vector<StatedFigure> tolerance;
    DecisionRule rule = DecisionRule::SimpleAcceptance;
    bool uncertaintyNotEvaluated = false;  // no U for any channel, and none asked for
};

// The results of the rows' channels that have reference points; refused
// (with the channel named) when a channel has no recorded unit or no
// stated uncertainty (unless not evaluated), or its points do not read as numbers.
std::optional<std::vector<ChannelResult>> ResultsOf(const std::vector<JournalEntry>& entries,
                                                    const ResultRules& rules, JournalError& error);

// The verdict of a channel's errors as left against ±tolerance under the
// rule; NotStated when an error as left is unknown, or the rule needs a U
// that was not evaluated.
Verdict JudgeConformity(const ChannelResult& channel, double tolerance, DecisionRule rule);

}  // namespace tb::journal
