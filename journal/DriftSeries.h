// A logger's drift between visits: for one channel, the correction as
// found at each adjustment (what the logger had drifted to since the last
// visit) and as left, oldest first, with the limits that applied. The
// journal window draws it; the same data is exported as CSV.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "journal/JournalEntry.h"
#include "journal/JournalStore.h"

namespace tb::journal {

struct DriftVisit {
    int64_t id = 0;
    std::string recordedUtc;
    std::string localTime;  // as the window shows it
    std::optional<pages::Correction> asFound;
    std::optional<pages::Correction> asLeft;
    std::string outcome;
};

struct DriftSeries {
    std::string channel;
    std::vector<DriftVisit> visits;          // oldest first
    std::optional<pages::AppliedLimits> limits;  // the newest visit's
};

// The channel names the logger's adjustments recorded, in first-seen order.
// The logger is named by its serial (logger or base-unit serial) and model.
struct DriftLogger {
    std::string serial;
    std::string model;
};

// Every adjustment of the logger (sends and initialisations), oldest first;
// nothing, with the reason, on a read error.
std::optional<std::vector<JournalEntry>> LoggerVisits(JournalStore& store, const DriftLogger& logger,
                                                      JournalError& error);
std::vector<std::string> DriftChannels(const std::vector<JournalEntry>& visits);
DriftSeries DriftOf(const std::vector<JournalEntry>& visits, const std::string& channel);

// The drift of each channel of a certificate's logger up to the
// certificate's newest row; nothing, with the reason, on a read error.
std::optional<std::vector<DriftSeries>> CertificateDrift(JournalStore& store,
                                                         const std::vector<JournalEntry>& entries,
                                                         JournalError& error);

// One line per visit: id, time (UTC), as-found slope and offset, as-left
// slope and offset, outcome; UTF-8 with a byte order mark, CRLF.
std::string DriftCsv(const DriftSeries& series);

}  // namespace tb::journal
