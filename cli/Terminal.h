// Where trimbench writes and reads: standard streams in the program, string
// streams in tests.
#pragma once

#include <istream>
#include <ostream>

namespace tb::cli {

struct Terminal {
    std::ostream& out;  // results: tables, corrections, JSON
    std::ostream& err;  // messages, questions, the progress bar
    std::istream& in;   // answers to questions
    bool interactive = false;  // err is a terminal: draw the progress bar
};

}  // namespace tb::cli
