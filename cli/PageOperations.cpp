#include "cli/PageOperations.h"

#include "cli/CliTexts.h"
#include "cli/PageMessages.h"
#include "pages/MemoryDialogView.h"

namespace tb::cli {
namespace {

// The page of a model, open behind an in-memory view as the window would
// show it.
class OpenPage {
  public:
    explicit OpenPage(const ModelRow& row) : page_(row.makePage()) {
        page_->AttachView(view_);
        page_->OnInitDialog();
        page_->OnSetActive();
    }

    pages::CPropertyPage& Page() { return *page_; }
    pages::MemoryDialogView& View() { return view_; }

    // A click on a control, after its state was set.
    void Click(int id) { page_->OnCommand(id); }

    // The input kind radio of a multi-input page.
    void ChooseInputKind(int firstRadio, int kind) {
        view_.SetRadioIndex(firstRadio, kind);
        Click(firstRadio);
    }

    void Enter(const pages::ChannelIds& ids, const AdjustInput& input) {
        const bool twoPoint = input.points.size() == 2;
        view_.SetCheck(ids.adjust, true);
        Click(ids.adjust);
        view_.SetRadioIndex(ids.onePoint, twoPoint ? 1 : 0);
        Click(twoPoint ? ids.twoPoint : ids.onePoint);
        view_.SetText(ids.before1, input.points[0].before);
        view_.SetText(ids.after1, input.points[0].after);
        view_.SetText(ids.before2, twoPoint ? input.points[1].before : "");
        view_.SetText(ids.after2, twoPoint ? input.points[1].after : "");
    }

  private:
    pages::MemoryDialogView view_;
    std::unique_ptr<pages::CPropertyPage> page_;
};

std::vector<ChannelCorrection> CurrentOf(const ModelRow& row, OpenPage& open) {
    std::vector<ChannelCorrection> channels;
    for (int channel = 1; channel <= row.channels; ++channel) {
        const pages::AdjustChannel& state = row.channel(open.Page(), channel);
        channels.push_back({channel, state.current, open.View().Text(state.Ids().currentLine)});
    }
    return channels;
}

int PressedButton(const ModelRow& row, Operation operation) {
    switch (operation) {
        case Operation::Read:
            return row.buttons.receive;
        case Operation::Adjust:
            return row.buttons.send;
        case Operation::Initialise:
            break;
    }
    return row.buttons.initialise;
}

}  // namespace

ExitCode CheckAdjustInput(const ModelRow& row, const AdjustInput& input, std::string& message) {
    if (input.channel < 1 || input.channel > row.channels) {
        message = Text(T::BadChannel, {std::to_string(input.channel), row.model,
                                       std::to_string(row.channels)});
        return ExitCode::Usage;
    }
    if (input.points.empty() || input.points.size() > 2) {
        message = Text(T::PointCount);
        return ExitCode::Usage;
    }
    // The edit box would not have taken more characters than this.
    for (const Reading& point : input.points) {
        for (const std::string* reading : {&point.before, &point.after}) {
            if (static_cast<int>(reading->size()) > row.editLength) {
                message = Text(T::ReadingTooLong, {*reading, std::to_string(row.editLength)});
                return ExitCode::RefusedInput;
            }
        }
    }
    return ExitCode::Done;
}

namespace {

OperationResult RunOnPage(const ModelRow& row, const LoggerChoice& choice, Operation operation,
                          const AdjustInput& input, const OperationOptions& options,
                          Terminal& terminal) {
    OperationResult result;
    result.logger = LoggerLabel(choice);
    if (operation == Operation::Adjust) {
        result.code = CheckAdjustInput(row, input, result.message);
        if (result.code != ExitCode::Done) return result;
    }
    LoggerChoice chosen;
    result.code = ChooseLogger(row, choice, chosen, result.message);
    if (result.code != ExitCode::Done) return result;
    result.logger = LoggerLabel(chosen);

    PinnedLogger pin(chosen);
    TerminalMessageBoxes boxes(terminal, options.policy, options.printBoxes);
    OpenPage open(row);
    if (chosen.inputKind && !row.inputKinds.empty())
        open.ChooseInputKind(row.inputKindRadio, *chosen.inputKind);
    if (operation == Operation::Adjust) open.Enter(row.channel(open.Page(), input.channel).Ids(), input);

    // The question comes once the page has read the logger, derived the
    // correction and found it inside the limits: that is the verdict.
    boxes.OnDryRunQuestion([&](const app::MessageBoxRequest&) {
        if (operation != Operation::Adjust) {
            if (options.printBoxes) terminal.err << Text(T::DryRunNoInitialise) << '\n';
            return;
        }
        result.composed = row.channel(open.Page(), input.channel).composed;
        if (options.printBoxes) {
            terminal.out << Text(T::ToWrite, {std::to_string(input.channel),
                                              pages::FormatCorrection(pages::kFmtEntered3,
                                                                      *result.composed, false)})
                         << '\n'
                         << Text(T::WithinLimits) << '\n'
                         << Text(T::DryRunNothingWritten) << '\n';
        }
    });

    open.Click(PressedButton(row, operation));

    result.boxes = boxes.Boxes();
    result.code = boxes.Outcome();
    if (result.code == ExitCode::Communication && boxes.Showed(kMsgNotConnected) &&
        !IsAttached(row, chosen)) {
        result.code = ExitCode::NoLogger;
        result.message = Text(T::NoLoggerNamed, {row.model, result.logger});
    }
    const bool sent = operation != Operation::Read && options.policy != AnswerPolicy::DryRun;
    result.written = sent && result.code == ExitCode::Done && boxes.Showed(1050);
    if (operation == Operation::Adjust && !result.composed && result.written)
        result.composed = row.channel(open.Page(), input.channel).composed;
    if (result.code == ExitCode::Done) result.current = CurrentOf(row, open);
    // The page keeps the correction it read; after a write the logger holds
    // the written one.
    for (ChannelCorrection& channel : result.current) {
        if (!result.written) break;
        if (operation == Operation::Initialise) channel.correction = pages::Correction{};
        if (operation == Operation::Adjust && channel.channel == input.channel)
            channel.correction = *result.composed;
    }
    return result;
}

}  // namespace

OperationResult RunOperation(const ModelRow& row, const LoggerChoice& choice, Operation operation,
                             const AdjustInput& input, const OperationOptions& options,
                             Terminal& terminal) {
    OperationResult result = RunOnPage(row, choice, operation, input, options, terminal);
    if (!result.message.empty() && options.printBoxes)
        terminal.err << "trimbench: " << result.message << '\n';
    return result;
}

}  // namespace tb::cli
