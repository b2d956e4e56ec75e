// Which rows a certificate of one logger's day shows, and local days as the
// store compares times. The journal window's certificate button and the
// command line's certificate both choose their rows here.
#pragma once

#include <QDate>
#include <QTimeZone>
#include <optional>
#include <string>
#include <vector>

#include "journal/CertificateSeal.h"
#include "journal/JournalEntry.h"
#include "journal/JournalStore.h"

namespace tb::journal {

// The first instant of a local day, ISO 8601 UTC with milliseconds.
std::string UtcStartOf(const QDate& date, const QTimeZone& zone);

// The adjustments (sends and initialisations) of the logger of `selected`,
// same model, on the local day it was recorded, oldest first; `selected`
// alone when that day holds none. Nothing, with the reason, on a read error.
std::optional<std::vector<JournalEntry>> DayEntries(JournalStore& store,
                                                    const JournalEntry& selected,
                                                    JournalError& error);

// The rows a certificate of `selected` covers: the row itself, or with
// wholeDay its logger's day (DayEntries). Nothing, with the reason, on a
// read error.
std::optional<std::vector<JournalEntry>> CertificateRows(JournalStore& store,
                                                         const JournalEntry& selected, bool wholeDay,
                                                         JournalError& error);

// The newest adjustment of the logger with this serial (logger or base-unit
// serial), on the given local day when one is given; nothing when the
// journal holds none, or (error set) when it cannot be read.
std::optional<JournalEntry> LatestAdjustment(JournalStore& store, const std::string& serial,
                                             const std::optional<QDate>& day, JournalError& error);

// The seal of the certificate with this number, found again from the rows
// the program draws certificates of (one adjustment, or its logger's day up
// to it); nothing when no such rows give the number (error set on a read
// error).
std::optional<CertificateSeal> SealForNumber(JournalStore& store, const std::string& number,
                                             JournalError& error);

}  // namespace tb::journal
