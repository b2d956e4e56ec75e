// Which logger a command talks to: the one it names, or the only attached
// logger of its model. The command then pins that logger, so that every
// operation of the page reaches that logger only.
#pragma once

#include <string>

#include "cli/CommandValues.h"
#include "cli/ExitCode.h"
#include "cli/ModelNames.h"

namespace tb::cli {

// Resolves the choice for a model: Done with `chosen` filled, or NoLogger /
// Usage with `message` saying why.
ExitCode ChooseLogger(const ModelRow& row, const LoggerChoice& choice, LoggerChoice& chosen,
                      std::string& message);

// Whether the chosen logger is (still) attached and of the model.
bool IsAttached(const ModelRow& row, const LoggerChoice& chosen);

// Pins the chosen logger for the command client while it lives.
class PinnedLogger {
  public:
    explicit PinnedLogger(const LoggerChoice& chosen);
    ~PinnedLogger();
    PinnedLogger(const PinnedLogger&) = delete;
    PinnedLogger& operator=(const PinnedLogger&) = delete;
};

}  // namespace tb::cli
