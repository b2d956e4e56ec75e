#include "cli/TerminalMessageBoxes.h"

#include <algorithm>
#include <cctype>

#include "cli/CliTexts.h"
#include "cli/PageMessages.h"

namespace tb::cli {
namespace {

bool IsYes(std::string answer) {
    std::transform(answer.begin(), answer.end(), answer.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    answer.erase(0, answer.find_first_not_of(" \t\r"));
    answer.erase(answer.find_last_not_of(" \t\r") + 1);
    return answer == "y" || answer == "yes" || answer == "はい";
}

}  // namespace

std::string IconName(services::MsgIcon icon) {
    switch (icon) {
        case services::MsgIcon::Information:
            return "information";
        case services::MsgIcon::Question:
            return "question";
        case services::MsgIcon::Warning:
        case services::MsgIcon::Default:
            break;
    }
    return "warning";
}

TerminalMessageBoxes::TerminalMessageBoxes(Terminal& terminal, AnswerPolicy policy, bool printBoxes)
    : terminal_(terminal), policy_(policy), printBoxes_(printBoxes), install_(*this) {}

void TerminalMessageBoxes::OnDryRunQuestion(
    std::function<void(const services::MessageBoxRequest&)> hook) {
    dryRunHook_ = std::move(hook);
}

services::MsgAnswer TerminalMessageBoxes::Show(const services::MessageBoxRequest& request) {
    const std::optional<int> id =
        request.stringId != 0 ? std::optional<int>(request.stringId) : std::nullopt;
    ShownBox box{id, request, services::MsgAnswer::Ok};
    if (request.buttons == services::MsgButtons::YesNo) {
        box.answer = Ask(request);
    } else if (printBoxes_) {
        // Reports of success are results; warnings are diagnostics.
        std::ostream& stream =
            request.icon == services::MsgIcon::Information ? terminal_.out : terminal_.err;
        stream << request.text << '\n';
        stream.flush();
    }
    boxes_.push_back(std::move(box));
    return boxes_.back().answer;
}

services::MsgAnswer TerminalMessageBoxes::Ask(const services::MessageBoxRequest& request) {
    switch (policy_) {
        case AnswerPolicy::Yes:
            if (printBoxes_)
                terminal_.err << request.text << '\n' << Text(cli_text::AnsweredYes) << '\n';
            return services::MsgAnswer::Yes;
        case AnswerPolicy::DryRun:
            if (dryRunHook_) dryRunHook_(request);
            return services::MsgAnswer::No;
        case AnswerPolicy::Ask:
            break;
    }
    terminal_.err << request.text << '\n' << Text(cli_text::YesNoPrompt);
    terminal_.err.flush();
    std::string line;
    const bool read = static_cast<bool>(std::getline(terminal_.in, line));
    if (!read) terminal_.err << '\n';
    return read && IsYes(line) ? services::MsgAnswer::Yes : services::MsgAnswer::No;
}

ExitCode TerminalMessageBoxes::Outcome() const {
    bool declined = false;
    for (const ShownBox& box : boxes_) {
        if (box.request.buttons == services::MsgButtons::YesNo) {
            declined = declined || (box.answer != services::MsgAnswer::Yes && policy_ != AnswerPolicy::DryRun);
            continue;
        }
        const ExitCode code = OutcomeOfBox(box);
        if (code != ExitCode::Done) return code;
    }
    return declined ? ExitCode::Declined : ExitCode::Done;
}

ExitCode OutcomeOfBox(const ShownBox& box) {
    if (box.request.buttons == services::MsgButtons::YesNo) return ExitCode::Done;
    const std::optional<ExitCode> code = box.id ? OutcomeOfMessage(*box.id) : std::nullopt;
    if (code) return *code;
    // A warning that decides no known outcome is still a failure.
    return box.request.icon == services::MsgIcon::Warning ? ExitCode::Failure : ExitCode::Done;
}

bool TerminalMessageBoxes::Showed(int id) const {
    return std::any_of(boxes_.begin(), boxes_.end(),
                       [id](const ShownBox& box) { return box.id == id; });
}

}  // namespace tb::cli
