// A journal error in a test's failure message: its text as the interface
// says it.
#pragma once

#include <ostream>

#include "journal/JournalError.h"

namespace tb::journal {

inline std::ostream& operator<<(std::ostream& out, const JournalError& error) {
    return out << (error ? JournalErrorText(error) : std::string("(no error)"));
}

}  // namespace tb::journal
