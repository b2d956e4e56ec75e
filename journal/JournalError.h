// A failure of the journal as data: the text of the string table that says
// it and the values that text names. The journal words no error itself;
// each front end says it in the interface language (JournalErrorText), or
// chooses its own text for the id. A reason the database or the system
// gave is a value like any other (kMsgGivenReason).
#pragma once

#include <string>
#include <vector>

namespace tb::journal {

struct JournalError {
    int text = 0;                     // a kMsg... id of resources/StringIds.h; 0: no error
    std::vector<std::string> values{};  // the text's %s, in order (at most kMaxErrorValues)

    explicit operator bool() const { return text != 0; }
    friend bool operator==(const JournalError&, const JournalError&) = default;
};

inline constexpr std::size_t kMaxErrorValues = 3;

// The reason the database or the system gave, as it gave it.
JournalError GivenReason(std::string reason);

// The error in the interface language; empty for no error.
std::string JournalErrorText(const JournalError& error);

}  // namespace tb::journal
