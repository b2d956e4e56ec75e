// The name of the account the program runs as: the journal's operator when
// the settings name none. One source per operating system.
#pragma once

#include <string>

namespace tb::journal {

// UTF-8; empty when the system tells none.
std::string LoginName();

}  // namespace tb::journal
