// The lab's reference instruments, kept in the journal's database: what
// each adjustment's readings were traced to. The register is append-only
// like the journal: adding an instrument again records its new calibration
// (certificate, dates); retiring it ends its use for good. The newest
// event of an identifier is its state.
#pragma once

#include <QDate>
#include <optional>
#include <string>
#include <vector>

#include "journal/JournalError.h"
#include "journal/JournalStore.h"

namespace tb::journal {

inline constexpr std::size_t kMaxReferenceIdLength = 32;
inline constexpr std::size_t kMaxReferenceTextLength = 200;

struct ReferenceInstrument {
    std::string id;            // the lab's identifier, e.g. "PT100-07"
    std::string description;
    std::string certificate;   // its calibration certificate's number
    std::string calibratedOn;  // YYYY-MM-DD
    std::string dueOn;         // YYYY-MM-DD: next calibration due
    bool retired = false;

    // Past its due date on `today` (due on the day itself is still valid).
    bool ExpiredOn(const QDate& today) const;

    friend bool operator==(const ReferenceInstrument&, const ReferenceInstrument&) = default;
};

// Why an instrument cannot be added: empty when it can. Checks the
// identifier (1..32 printable characters, no comma, semicolon or space),
// the texts' lengths, the dates (YYYY-MM-DD) and that the due date is not
// before the calibration date.
JournalError ReferenceProblem(const ReferenceInstrument& instrument);

class ReferenceRegister {
  public:
    explicit ReferenceRegister(JournalStore& store) : store_(store) {}

    // Adds the instrument, or its renewed calibration; refused (false with
    // the reason) for bad fields or a retired identifier.
    bool Add(const ReferenceInstrument& instrument, JournalError& error);
    // Retires an instrument in use; refused when unknown or already retired.
    bool Retire(const std::string& id, JournalError& error);

    // Every instrument's current state, by identifier; nothing (with the
    // reason) when the register cannot be read.
    std::optional<std::vector<ReferenceInstrument>> List(JournalError& error);
    // One instrument's current state; nothing when it is not in the
    // register (error stays empty) or cannot be read (error set).
    std::optional<ReferenceInstrument> Find(const std::string& id, JournalError& error);

  private:
    bool Record(const ReferenceInstrument& instrument, const char* action, JournalError& error);

    JournalStore& store_;
};

}  // namespace tb::journal
