// The message-box backend of the command line.
//
// Every box a page shows ends up here: OK boxes are written to the terminal
// (or only kept, for --json), questions are asked on the terminal, answered
// Yes by --yes, or answered No by --dry-run after the dry-run hook has had
// its look at the page. Each box is recorded with its message number where
// it decides the outcome, so that the command can derive its exit code.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "services/MessageBox.h"
#include "cli/ExitCode.h"
#include "cli/Terminal.h"

namespace tb::cli {

enum class AnswerPolicy { Ask, Yes, DryRun };

struct ShownBox {
    std::optional<int> id;  // the numbered message it is, if any
    services::MessageBoxRequest request;
    services::MsgAnswer answer = services::MsgAnswer::Ok;
};

class TerminalMessageBoxes : public services::MessageBoxBackend {
  public:
    // Installs itself for the process; the destructor restores the previous backend.
    TerminalMessageBoxes(Terminal& terminal, AnswerPolicy policy, bool printBoxes);
    TerminalMessageBoxes(const TerminalMessageBoxes&) = delete;
    TerminalMessageBoxes& operator=(const TerminalMessageBoxes&) = delete;

    // Runs when a question is about to be answered No for a dry run.
    void OnDryRunQuestion(std::function<void(const services::MessageBoxRequest&)> hook);

    services::MsgAnswer Show(const services::MessageBoxRequest& request) override;

    const std::vector<ShownBox>& Boxes() const { return boxes_; }
    void Clear() { boxes_.clear(); }

    // The exit code the recorded boxes add up to: the first failure message,
    // else Declined when a question was answered No outside a dry run, else Done.
    ExitCode Outcome() const;
    // Whether a box with this message number was shown.
    bool Showed(int id) const;

  private:
    services::MsgAnswer Ask(const services::MessageBoxRequest& request);

    Terminal& terminal_;
    AnswerPolicy policy_;
    bool printBoxes_;
    std::function<void(const services::MessageBoxRequest&)> dryRunHook_;
    std::vector<ShownBox> boxes_;
    // Last, so that the backend is installed only once it is whole.
    services::ScopedMessageBoxBackend install_;
};

// What one box says of the outcome: Done for questions and reports of
// success, the failure's code otherwise.
ExitCode OutcomeOfBox(const ShownBox& box);

// The icon's name as --json reports it: "warning", "question", "information".
std::string IconName(services::MsgIcon icon);

}  // namespace tb::cli
