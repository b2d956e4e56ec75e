#include "cli/PageOperations.h"

#include <algorithm>

#include "cli/CliTexts.h"
#include "cli/PageMessages.h"
#include "pages/MemoryDialogView.h"
#include "pages/ModelPages.h"
#include "resources/StringIds.h"

namespace tb::cli {
namespace {

using namespace resources::strings;

bool SameReading(const std::string& typed, const std::string& shown) {
    if (typed == shown) return true;
    const pages::ParsedNumber a = pages::ParseNumber(typed);
    const pages::ParsedNumber b = pages::ParseNumber(shown);
    return a.accepted && b.accepted && a.value == b.value;
}

// The page of a model, open behind an in-memory view as the window would
// show it.
class OpenPage {
  public:
    explicit OpenPage(const ModelRow& row) : made_(pages::MakePage(row)) {
        made_.page->AttachView(view_);
        made_.page->OnInitDialog();
        made_.page->OnSetActive();
    }

    const pages::AdjustablePage& Channels() const { return *made_.adjustable; }
    pages::MemoryDialogView& View() { return view_; }

    // A click on a control, after its state was set.
    void Click(int id) { made_.page->OnCommand(id); }

    void SelectTab(int control, int tab) {
        if (control == 0) return;
        view_.SelectTab(control, tab);
        Click(control);
    }

    // The input kind radio of a multi-input page.
    void ChooseInputKind(int firstRadio, int kind) {
        view_.SetRadioIndex(firstRadio, kind);
        Click(firstRadio);
    }

    // Ticks the channel, chooses one or two points and types the readings
    // as a technician would; a box the page keeps disabled with a fixed
    // reading (the zero point of illuminance and UV) is not typed into, and
    // a different reading for it is refused: the message says which.
    std::optional<std::string> Enter(const pages::ChannelIds& ids, const AdjustInput& input) {
        const bool twoPoint = input.points.size() == 2;
        view_.SetCheck(ids.adjust, true);
        Click(ids.adjust);
        view_.SetRadioIndex(ids.onePoint, twoPoint ? 1 : 0);
        Click(twoPoint ? ids.twoPoint : ids.onePoint);
        std::vector<std::pair<int, std::string>> boxes{{ids.before1, input.points[0].before},
                                                       {ids.after1, input.points[0].after}};
        if (twoPoint) {
            boxes.push_back({ids.before2, input.points[1].before});
            boxes.push_back({ids.after2, input.points[1].after});
        }
        for (const auto& [id, text] : boxes) {
            if (view_.IsEnabled(id)) {
                view_.SetText(id, text);
            } else if (!SameReading(text, view_.Text(id))) {
                return Text(cli_text::FixedReading, {view_.Text(id), text});
            }
        }
        return std::nullopt;
    }

  private:
    pages::MemoryDialogView view_;
    pages::ModelPage made_;
};

// The channels of the tabs an operation used (every tab for a read).
std::vector<ChannelCorrection> CurrentOf(OpenPage& open, std::optional<int> tab) {
    std::vector<ChannelCorrection> channels;
    for (int channel = 1; channel <= open.Channels().AdjustableChannels(); ++channel) {
        const ChannelPlace place = open.Channels().PlaceOfChannel(channel);
        if (tab && place.tab != *tab) continue;
        channels.push_back({channel, open.Channels().CurrentCorrection(channel),
                            open.View().Text(place.ids.currentLine)});
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
        message = Text(cli_text::BadChannel,
                       {std::to_string(input.channel), row.model, std::to_string(row.channels)});
        return ExitCode::Usage;
    }
    if (input.points.empty() || input.points.size() > 2) {
        message = Text(cli_text::PointCount);
        return ExitCode::Usage;
    }
    return ExitCode::Done;
}

namespace {

// The edit box would not have taken more characters than it allows.
ExitCode CheckReadingLengths(const AdjustInput& input, int editLength, std::string& message) {
    for (const Reading& point : input.points) {
        for (const std::string* reading : {&point.before, &point.after}) {
            if (static_cast<int>(reading->size()) > editLength) {
                message = Text(cli_text::ReadingTooLong, {*reading, std::to_string(editLength)});
                return ExitCode::RefusedInput;
            }
        }
    }
    return ExitCode::Done;
}

// Presses the operation's button: receive on every tab, the others on the
// tab of their channel or pair.
void Press(const ModelRow& row, Operation operation, int tab, OpenPage& open,
           const TerminalMessageBoxes& boxes) {
    if (operation != Operation::Read) {
        open.SelectTab(row.tabControl, tab);
        open.Click(PressedButton(row, operation));
        return;
    }
    for (int each = 0; each < row.tabs && boxes.Outcome() == ExitCode::Done; ++each) {
        open.SelectTab(row.tabControl, each);
        open.Click(row.buttons.receive);
    }
}

bool AnsweredYes(const TerminalMessageBoxes& boxes) {
    return std::any_of(boxes.Boxes().begin(), boxes.Boxes().end(), [](const ShownBox& box) {
        return box.request.buttons == services::MsgButtons::YesNo &&
               box.answer == services::MsgAnswer::Yes;
    });
}

bool ShowedSuccessfulWrite(const TerminalMessageBoxes& boxes) {
    return boxes.Showed(kMsgAdjustmentFinished) || boxes.Showed(kMsgSent) ||
           boxes.Showed(kMsgInitialised);
}

// The exit code the boxes add up to. The message of a logger missing is
// also shown when it stops answering half-way: once this operation found
// and read the logger that is a communication failure; before, the command
// line looks again before saying which. An adjustment's question comes only
// after the page read the logger, whatever its outcome says.
ExitCode OutcomeCode(const ModelRow& row, const LoggerChoice& chosen,
                     const TerminalMessageBoxes& boxes, const pages::OperationOutcome& outcome,
                     bool readBeforeQuestion, std::string& message) {
    const ExitCode code = boxes.Outcome();
    const bool notConnected = code == ExitCode::Communication && boxes.Showed(kMsgNotConnected);
    if ((code == ExitCode::NoLogger || notConnected) && (outcome.loggerRead || readBeforeQuestion))
        return ExitCode::Communication;
    if (notConnected && !IsAttached(row, chosen)) {
        message = Text(cli_text::NoLoggerNamed, {row.model, LoggerLabel(chosen)});
        return ExitCode::NoLogger;
    }
    return code;
}

}  // namespace

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
    int tab = 0;
    if (operation == Operation::Initialise)
        tab = input.pairTab.value_or(open.Channels().PlaceOfChannel(input.channel).tab);
    if (operation == Operation::Adjust) {
        const ChannelPlace place = open.Channels().PlaceOfChannel(input.channel);
        result.code = CheckReadingLengths(input, place.editLength, result.message);
        if (result.code != ExitCode::Done) return result;
        tab = place.tab;
        open.SelectTab(row.tabControl, tab);
        if (auto refused = open.Enter(place.ids, input)) {
            result.code = ExitCode::RefusedInput;
            result.message = *refused;
            return result;
        }
    }

    // The question comes once the page has read the logger, derived the
    // correction and found it inside the limits: that is the verdict.
    boxes.OnDryRunQuestion([&](const services::MessageBoxRequest& request) {
        if (operation != Operation::Adjust) {
            if (options.printBoxes) terminal.err << Text(cli_text::DryRunNoInitialise) << '\n';
            return;
        }
        result.composed = open.Channels().ComposedCorrection(input.channel);
        if (!result.composed) {
            // The page keeps its composition to itself: its question says it.
            if (options.printBoxes)
                terminal.out << request.text << '\n'
                             << Text(cli_text::DryRunNothingWritten) << '\n';
            return;
        }
        if (options.printBoxes) {
            terminal.out << Text(cli_text::ToWrite,
                                 {std::to_string(input.channel),
                                  pages::FormatCorrection(kFmtEntered3, *result.composed, false)})
                         << '\n'
                         << Text(cli_text::WithinLimits) << '\n'
                         << Text(cli_text::DryRunNothingWritten) << '\n';
        }
    });

    Press(row, operation, tab, open, boxes);

    result.boxes = boxes.Boxes();
    const bool sent = operation != Operation::Read && options.policy != AnswerPolicy::DryRun;
    result.outcome = open.Channels().LastOutcome();
    result.code = OutcomeCode(row, chosen, boxes, result.outcome,
                              operation == Operation::Adjust && AnsweredYes(boxes), result.message);
    result.written = sent && (result.outcome.write == pages::LoggerWrite::Written ||
                              (result.code == ExitCode::Done && ShowedSuccessfulWrite(boxes)));
    if (sent && result.written && result.outcome.historyIncomplete) {
        result.code = ExitCode::WrittenIncomplete;
        result.message = Text(cli_text::WrittenHistoryIncomplete);
    } else if (sent && result.written && result.code != ExitCode::Done) {
        result.message = Text(cli_text::LoggerNowHolds);
    } else if (sent && result.outcome.write == pages::LoggerWrite::Unknown) {
        result.message = Text(cli_text::LoggerStateUnknown);
    }
    if (operation == Operation::Adjust && !result.composed && result.written)
        result.composed = open.Channels().ComposedCorrection(input.channel);
    // What the logger holds is known after a success, after a write read
    // back, and after a failure that left it as it was read.
    const bool known =
        result.code == ExitCode::Done || result.written ||
        (result.outcome.write == pages::LoggerWrite::None && result.outcome.loggerRead);
    if (known)
        result.current =
            CurrentOf(open, operation == Operation::Read ? std::nullopt : std::optional<int>(tab));
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

HistoryResult ReadHistoryLists(const ModelRow& row, const LoggerChoice& choice,
                               const OperationOptions& options, Terminal& terminal) {
    HistoryResult result;
    LoggerChoice chosen;
    result.code = ChooseLogger(row, choice, chosen, result.message);
    result.logger = LoggerLabel(result.code == ExitCode::Done ? chosen : choice);
    if (result.code == ExitCode::Done) {
        TerminalMessageBoxes boxes(terminal, options.policy, options.printBoxes);
        OpenPage open(row);
        open.Click(row.buttons.receive);
        result.boxes = boxes.Boxes();
        result.code = boxes.Outcome();
        const std::vector<std::string> captions = open.View().Tabs(row.tabControl);
        for (std::size_t i = 0; i < row.historyLists.size() && result.code == ExitCode::Done; ++i) {
            result.lists.push_back({i < captions.size() ? captions[i] : std::string(),
                                    open.View().Rows(row.historyLists[i])});
        }
    }
    if (!result.message.empty() && options.printBoxes)
        terminal.err << "trimbench: " << result.message << '\n';
    return result;
}

}  // namespace tb::cli
