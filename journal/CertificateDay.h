// Which rows a certificate of one logger's day shows, and local days as the
// store compares times. The journal window's certificate button and the
// command line's certificate both choose their rows here.
#pragma once

#include <QDate>
#include <QTimeZone>
#include <optional>
#include <string>
#include <vector>

#include "journal/JournalEntry.h"
#include "journal/JournalStore.h"

namespace tb::journal {

// The first instant of a local day, ISO 8601 UTC with milliseconds.
std::string UtcStartOf(const QDate& date, const QTimeZone& zone);

// The adjustments (sends and initialisations) of the logger of `selected`,
// same model, on the local day it was recorded, oldest first; `selected`
// alone when that day holds none.
std::vector<JournalEntry> DayEntries(JournalStore& store, const JournalEntry& selected);

// The newest adjustment of the logger with this serial (logger or base-unit
// serial), on the given local day when one is given; nothing when the
// journal holds none.
std::optional<JournalEntry> LatestAdjustment(JournalStore& store, const std::string& serial,
                                             const std::optional<QDate>& day);

}  // namespace tb::journal
