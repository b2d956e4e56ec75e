// trimbench read | adjust | initialise MODEL ...
#include "cli/Arguments.h"
#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "cli/JsonOutput.h"
#include "cli/WorkOptions.h"
#include "client/LanUnitLink.h"

namespace tb::cli {
namespace {

void AddLoggerOptions(CommandParser& parser) {
    parser.AddValue("serial", cli_text::OptSerial, "S");
    parser.AddValue("port", cli_text::OptPort, "N");
    parser.AddValue("input-kind", cli_text::OptInputKind, "K");
}

// --lan and --login: a base unit on the LAN instead of those on USB.
void AddLanOptions(CommandParser& parser) {
    parser.AddValue("lan", cli_text::OptLanLogger, "HOST:PORT");
    parser.AddValue("login", cli_text::OptLogin, "TEXT");
}

// The LAN unit a command names, checked against the model and the other
// options; false after the error was reported.
bool LanOf(const CommandParser& parser, const ModelRow& row, const LoggerChoice& choice,
           std::optional<LanAddress>& lan, Terminal& terminal, int& exit) {
    if (!parser.Lan(lan, terminal, exit)) return false;
    if (!lan) return true;
    if (choice.serial || choice.com) {
        exit = UsageError(terminal, Text(cli_text::LanWithSerial));
        return false;
    }
    if (row.transport != Transport::BaseUnit) {
        exit = UsageError(terminal, Text(cli_text::LanNotForModel, {std::string(row.model)}));
        return false;
    }
    return true;
}

std::string LanLabel(const LanAddress& lan) { return lan.host + ":" + std::to_string(lan.port); }

void AddAnswerOptions(CommandParser& parser) {
    parser.AddFlag("yes", cli_text::OptYes);
    parser.AddFlag("dry-run", cli_text::OptDryRun);
}

// Prints the result (text or JSON) and answers the exit code.
int Finish(std::string_view command, const ModelRow& row, const OperationResult& result,
           bool json, Terminal& terminal) {
    if (json) {
        PrintJson(terminal, OperationJson(command, row.model, result));
    } else {
        for (const ChannelCorrection& channel : result.current)
            if (!channel.shown.empty())
                terminal.out << "Ch." << channel.channel << ": " << channel.shown << '\n';
    }
    return static_cast<int>(result.code);
}

// The model, the logger and the options every page command takes; nullptr
// after the error was reported.
const ModelRow* Prepare(const CommandParser& parser, LoggerChoice& choice, Terminal& terminal,
                        int& exit) {
    const ModelRow* row = parser.Model(terminal, exit);
    if (!row) return nullptr;
    const auto named = parser.Choice(terminal, exit);
    if (!named) return nullptr;
    choice = *named;
    return parser.InputKind(*row, choice, terminal, exit) ? row : nullptr;
}

// --channel and the --point options; nothing after the error was reported.
std::optional<AdjustInput> AdjustInputOf(const CommandParser& parser, const ModelRow& row,
                                         Terminal& terminal, int& exit) {
    AdjustInput input;
    if (parser.IsSet("channel")) {
        const auto channel = ParseChannel(parser.Value("channel"));
        if (!channel) {
            exit = UsageError(
                terminal, Text(cli_text::BadChannel,
                               {parser.Value("channel"), row.model, std::to_string(row.channels)}));
            return std::nullopt;
        }
        input.channel = *channel;
    } else if (row.channels > 1) {
        exit = UsageError(terminal, Text(cli_text::MissingChannel));
        return std::nullopt;
    }
    for (const QString& text : parser.Values("point")) {
        const auto point = ParsePoint(text.toStdString());
        if (!point) {
            exit = UsageError(terminal, Text(cli_text::BadPoint, {text.toStdString()}));
            return std::nullopt;
        }
        input.points.push_back(*point);
    }
    return input;
}

// What each page command takes besides the model and the logger.
struct PageCommand {
    Operation operation;
    const char* name;
    CliText help;
    bool answers;  // --yes, --dry-run
    bool entry;    // --point, --unit
};

// What initialise resets: on the base-unit pages every channel of the
// logger (a named channel must exist); on the direct-USB pages the pair of
// --pair or the pair that holds --channel, one of which is needed.
std::optional<AdjustInput> InitialiseInputOf(const CommandParser& parser, const ModelRow& row,
                                             Terminal& terminal, int& exit) {
    AdjustInput input;
    if (parser.IsSet("pair")) {
        const std::string name = parser.Value("pair");
        for (const PairName& pair : row.pairs)
            if (pair.name == name) input.pairTab = pair.tab;
        if (!input.pairTab) {
            exit = UsageError(terminal, Text(cli_text::BadPair, {name, row.model}));
            return std::nullopt;
        }
        return input;
    }
    if (!parser.IsSet("channel")) {
        if (row.pairs.empty()) return input;
        exit = UsageError(terminal, Text(cli_text::PairNeeded, {row.model}));
        return std::nullopt;
    }
    const auto channel = ParseChannel(parser.Value("channel"));
    if (!channel || *channel > row.channels) {
        exit = UsageError(terminal, Text(cli_text::BadChannel, {parser.Value("channel"), row.model,
                                                                std::to_string(row.channels)}));
        return std::nullopt;
    }
    input.channel = *channel;
    return input;
}

int RunPageCommand(const PageCommand& command, const QStringList& arguments, Terminal& terminal) {
    CommandParser parser(command.help, "MODEL");
    AddLoggerOptions(parser);
    AddLanOptions(parser);
    if (command.answers) AddAnswerOptions(parser);
    if (command.answers) AddWorkOptions(parser);
    if (command.operation != Operation::Read) parser.AddValue("channel", cli_text::OptChannel, "N");
    if (command.operation == Operation::Initialise)
        parser.AddValue("pair", cli_text::OptPair, "IU|TH|CO2");
    if (command.entry) parser.AddValue("point", cli_text::OptPoint, "BEFORE:AFTER");
    parser.AddValue("unit", cli_text::OptUnit, "C|F");
    int exit = 0;
    LoggerChoice choice;
    if (!parser.Parse(arguments, terminal, exit)) return exit;
    const ModelRow* row = Prepare(parser, choice, terminal, exit);
    if (!row || !parser.ApplyUnit(terminal, exit)) return exit;
    const auto policy = command.answers ? parser.Policy(terminal, exit) : AnswerPolicy::Ask;
    if (!policy) return exit;
    std::optional<AdjustInput> input = AdjustInput{};
    if (command.entry) input = AdjustInputOf(parser, *row, terminal, exit);
    if (command.operation == Operation::Initialise) input = InitialiseInputOf(parser, *row, terminal, exit);
    if (!input) return exit;
    std::optional<LanAddress> lan;
    if (!LanOf(parser, *row, choice, lan, terminal, exit)) return exit;
    std::optional<journal::WorkSelection> selection = journal::WorkSelection{};
    if (command.answers && !(selection = WorkSelectionOf(parser, terminal, exit))) return exit;
    // The rows this command records name what it was given, nothing else.
    const journal::SelectionScope conditions(*selection);
    const bool json = parser.IsSet("json");
    // The LAN unit stands in for the USB ones while the page runs.
    std::optional<client::LanUnitLink> link;
    if (lan) {
        link.emplace(lan->host, lan->port, lan->login);
        if (link->OpenError() != 0) {
            OperationResult failed;
            failed.code = ExitCode::Communication;
            failed.logger = LanLabel(*lan);
            failed.message = Text(cli_text::LanFailed, {std::to_string(link->OpenError())});
            if (!json) terminal.err << "trimbench: " << failed.message << '\n';
            return Finish(command.name, *row, failed, json, terminal);
        }
    }
    OperationResult result =
        RunOperation(*row, choice, command.operation, *input, {*policy, !json}, terminal);
    // The LAN unit's link key means nothing to the technician: its address does.
    if (lan && result.code != ExitCode::NoLogger) result.logger = LanLabel(*lan);
    return Finish(command.name, *row, result, json, terminal);
}

}  // namespace

int RunRead(const QStringList& arguments, Terminal& terminal) {
    return RunPageCommand({Operation::Read, "read", cli_text::HelpRead, false, false}, arguments,
                          terminal);
}

int RunAdjust(const QStringList& arguments, Terminal& terminal) {
    return RunPageCommand({Operation::Adjust, "adjust", cli_text::HelpAdjust, true, true},
                          arguments, terminal);
}

int RunHistory(const QStringList& arguments, Terminal& terminal) {
    CommandParser parser(cli_text::HelpHistory, "MODEL");
    AddLoggerOptions(parser);
    int exit = 0;
    LoggerChoice choice;
    if (!parser.Parse(arguments, terminal, exit)) return exit;
    const ModelRow* row = Prepare(parser, choice, terminal, exit);
    if (!row) return exit;
    if (row->historyLists.empty())
        return UsageError(terminal, Text(cli_text::NoHistory, {std::string(row->model)}));
    const bool json = parser.IsSet("json");
    const HistoryResult result = ReadHistoryLists(*row, choice, {AnswerPolicy::Ask, !json}, terminal);
    if (json) {
        PrintJson(terminal, HistoryJson(row->model, result));
    } else {
        for (const HistoryList& list : result.lists) {
            terminal.out << list.caption << '\n';
            for (const auto& cells : list.rows) {
                for (const std::string& cell : cells) terminal.out << cell << "  ";
                terminal.out << '\n';
            }
        }
    }
    return static_cast<int>(result.code);
}

int RunInitialise(const QStringList& arguments, Terminal& terminal) {
    return RunPageCommand(
        {Operation::Initialise, "initialise", cli_text::HelpInitialise, true, false}, arguments,
        terminal);
}

}  // namespace tb::cli
