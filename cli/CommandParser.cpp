#include "cli/CommandParser.h"

#include "services/Settings.h"
#include "cli/Arguments.h"

namespace tb::cli {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

namespace {

// The parser's help with the usage line naming the program and the
// subcommand as a user types them ("Usage: trimbench adjust [options] MODEL"),
// not the path the program was started from.
std::string HelpText(const QString& help, const QString& subcommand) {
    const qsizetype lineEnd = help.indexOf('\n');
    const QString first = help.left(lineEnd);
    const qsizetype options = first.indexOf(QStringLiteral(" [options]"));
    if (!first.startsWith(QStringLiteral("Usage: ")) || options < 0) return help.toStdString();
    return (QStringLiteral("Usage: trimbench ") + subcommand + first.mid(options) + help.mid(lineEnd))
        .toStdString();
}

}  // namespace

int UsageError(Terminal& terminal, const std::string& message) {
    terminal.err << "trimbench: " << message << '\n';
    return static_cast<int>(ExitCode::Usage);
}

CommandParser::CommandParser(CliText description, const QString& positional) {
    parser_.setApplicationDescription(Q(Text(description)));
    parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser_.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    parser_.addHelpOption();
    if (!positional.isEmpty()) parser_.addPositionalArgument(positional, QString());
    AddFlag("json", cli_text::OptJson);
}

void CommandParser::AddFlag(const QString& name, CliText description) {
    parser_.addOption(QCommandLineOption(name, Q(Text(description))));
}

void CommandParser::AddValue(const QString& name, CliText description, const QString& valueName) {
    parser_.addOption(QCommandLineOption(name, Q(Text(description)), valueName));
}

bool CommandParser::Parse(const QStringList& arguments, Terminal& terminal, int& exit) {
    if (!parser_.parse(arguments)) {
        exit = UsageError(terminal, parser_.errorText().toStdString());
        return false;
    }
    if (parser_.isSet("help")) {
        terminal.out << HelpText(parser_.helpText(), arguments.value(0));
        exit = static_cast<int>(ExitCode::Done);
        return false;
    }
    return true;
}

bool CommandParser::NoPositional(Terminal& terminal, int& exit) const {
    const QStringList positional = Positional();
    if (positional.isEmpty()) return true;
    exit = UsageError(terminal, Text(cli_text::ExtraArguments, {positional.front().toStdString()}));
    return false;
}

const ModelRow* CommandParser::Model(Terminal& terminal, int& exit) const {
    const QStringList positional = Positional();
    if (positional.isEmpty()) {
        exit = UsageError(terminal, Text(cli_text::MissingModel, {ModelNames()}));
        return nullptr;
    }
    if (positional.size() > 1) {
        exit = UsageError(terminal, Text(cli_text::ExtraArguments, {positional[1].toStdString()}));
        return nullptr;
    }
    const std::string name = positional.front().toStdString();
    const ModelRow* row = FindModel(name);
    if (!row) exit = UsageError(terminal, Text(cli_text::UnknownModel, {name, ModelNames()}));
    return row;
}

std::optional<LoggerChoice> CommandParser::Choice(Terminal& terminal, int& exit) const {
    LoggerChoice choice;
    if (IsSet("serial")) {
        choice.serial = ParseSerial(Value("serial"));
        if (!choice.serial) {
            exit = UsageError(terminal, Text(cli_text::BadSerial, {Value("serial")}));
            return std::nullopt;
        }
    }
    if (IsSet("port")) {
        choice.com = ParseComNumber(Value("port"));
        if (!choice.com) {
            exit = UsageError(terminal, Text(cli_text::BadPort, {Value("port")}));
            return std::nullopt;
        }
    }
    return choice;
}

std::optional<AnswerPolicy> CommandParser::Policy(Terminal& terminal, int& exit) const {
    const bool yes = IsSet("yes");
    const bool dryRun = IsSet("dry-run");
    if (yes && dryRun) {
        exit = UsageError(terminal, Text(cli_text::DryRunWithYes));
        return std::nullopt;
    }
    return yes ? AnswerPolicy::Yes : dryRun ? AnswerPolicy::DryRun : AnswerPolicy::Ask;
}

bool CommandParser::ApplyUnit(Terminal& terminal, int& exit) const {
    if (!IsSet("unit")) return true;
    const auto unit = ParseUnit(Value("unit"));
    if (!unit) {
        exit = UsageError(terminal, Text(cli_text::BadUnit, {Value("unit")}));
        return false;
    }
    services::OverrideTempUnit(*unit);
    return true;
}

bool CommandParser::InputKind(const ModelRow& row, LoggerChoice& choice, Terminal& terminal,
                              int& exit) const {
    if (!IsSet("input-kind")) return true;
    if (row.inputKinds.empty()) {
        exit = UsageError(terminal, Text(cli_text::InputKindNotForModel, {std::string(row.model)}));
        return false;
    }
    choice.inputKind = FindInputKind(row, Value("input-kind"));
    if (!choice.inputKind)
        exit = UsageError(terminal,
                          Text(cli_text::BadInputKind, {Value("input-kind"), InputKindNames(row)}));
    return choice.inputKind.has_value();
}

bool CommandParser::Lan(std::optional<LanAddress>& lan, Terminal& terminal, int& exit) const {
    if (!IsSet("lan")) return true;
    if (!IsSet("login")) {
        exit = UsageError(terminal, Text(cli_text::MissingLogin));
        return false;
    }
    const std::string text = Value("lan");
    const auto colon = text.rfind(':');
    const std::string digits = colon == std::string::npos ? std::string() : text.substr(colon + 1);
    const bool ok = colon != std::string::npos && colon > 0 && !digits.empty() && digits.size() <= 5 &&
                    digits.find_first_not_of("0123456789") == std::string::npos &&
                    std::stoi(digits) > 0 && std::stoi(digits) <= 65535;
    if (!ok) {
        exit = UsageError(terminal, Text(cli_text::BadLan, {text}));
        return false;
    }
    lan = LanAddress{text.substr(0, colon), std::stoi(digits), Value("login")};
    return true;
}

}  // namespace tb::cli
