// What a technician works with, picked once when starting work: the
// reference instruments in use and the ambient conditions. Every journal
// row records them as they stood when the row was written.
//
// The window keeps its choice in the settings (Journal/References,
// Journal/AmbientC, Journal/HumidityPct) as the session's; the command
// line sets a choice for the operations it runs on its thread
// (SelectionScope), which the recorder prefers.
#pragma once

#include <QDate>
#include <optional>
#include <string>
#include <vector>

#include "journal/JournalError.h"
#include "journal/ReferenceRegister.h"

namespace tb::journal {

// Ambient temperature (°C) and relative humidity (%) a bench can be used in.
inline constexpr double kMinAmbientC = -40.0;
inline constexpr double kMaxAmbientC = 80.0;
inline constexpr std::size_t kMaxReferencesInUse = 16;

struct WorkSelection {
    std::vector<std::string> references;  // identifiers in the register
    std::string ambientC;                 // "23.5"; empty: not given
    std::string humidityPct;              // "45"; empty: not given

    friend bool operator==(const WorkSelection&, const WorkSelection&) = default;
};

// "T,RH" or "T" (°C, %) into the selection's texts; false with the reason
// for a value that is not a number or out of range.
bool ParseAmbient(const std::string& text, WorkSelection& selection, JournalError& error);

// A reference as a row records it: its state when the row was written.
struct ReferenceUse {
    std::string id;
    std::string description;
    std::string certificate;
    std::string dueOn;
    bool expired = false;  // past its due date, or not found in the register

    friend bool operator==(const ReferenceUse&, const ReferenceUse&) = default;
};

std::string ReferencesJson(const std::vector<ReferenceUse>& uses);
// A text that is not such an array gives no references.
std::vector<ReferenceUse> ParseReferences(const std::string& json);

// The selection's references as the register holds them on `today`.
enum class SelectionProblem { None, Unknown, Retired, Expired, Unreadable, TooMany };
struct Resolution {
    std::vector<ReferenceUse> uses;
    SelectionProblem problem = SelectionProblem::None;
    std::string id;     // the reference the problem is about
    JournalError error;  // the read error (Unreadable)
};
// Every problem found is reported with the first reference it concerns; an
// expired reference is still listed in uses (marked), unknown and retired
// ones are not.
Resolution ResolveReferences(ReferenceRegister& references, const std::vector<std::string>& ids,
                             const QDate& today);

// The window's choice, from and to the settings.
WorkSelection SessionSelection();
void SaveSessionSelection(const WorkSelection& selection);

// The choice for operations run on this thread while it lives (the
// command line's options, a batch row's columns).
class SelectionScope {
  public:
    explicit SelectionScope(WorkSelection selection);
    ~SelectionScope();
    SelectionScope(const SelectionScope&) = delete;
    SelectionScope& operator=(const SelectionScope&) = delete;

  private:
    WorkSelection selection_;
    const WorkSelection* outer_;
};

// The scope's choice on this thread, else the session's.
WorkSelection CurrentSelection();

}  // namespace tb::journal
