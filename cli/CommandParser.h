// The options the subcommands share, and reading them into the choice of
// logger, the page answers and the temperature unit.
#pragma once

#include <QCommandLineParser>
#include <optional>
#include <string>

#include "cli/CliTexts.h"
#include "cli/ExitCode.h"
#include "cli/LoggerDirectory.h"
#include "cli/ModelNames.h"
#include "cli/PageOperations.h"
#include "cli/Terminal.h"

namespace tb::cli {

// A base unit on the LAN: --lan HOST:PORT --login TEXT.
struct LanAddress {
    std::string host;
    int port = 0;
    std::string login;
};

class CommandParser {
  public:
    CommandParser(CliText description, const QString& positional);

    void AddFlag(const QString& name, CliText description);
    void AddValue(const QString& name, CliText description, const QString& valueName);

    // Parses; false with `exit` set when the command is over (help shown or
    // an error reported).
    bool Parse(const QStringList& arguments, Terminal& terminal, int& exit);

    bool IsSet(const QString& name) const { return parser_.isSet(name); }
    std::string Value(const QString& name) const { return parser_.value(name).toStdString(); }
    QStringList Values(const QString& name) const { return parser_.values(name); }
    QStringList Positional() const { return parser_.positionalArguments(); }

    // For commands without positional arguments: false after an extra one
    // was reported.
    bool NoPositional(Terminal& terminal, int& exit) const;
    // The model of the one positional argument; nullptr after the error was reported.
    const ModelRow* Model(Terminal& terminal, int& exit) const;
    // --serial / --port; nothing after the error was reported.
    std::optional<LoggerChoice> Choice(Terminal& terminal, int& exit) const;
    // --yes / --dry-run; nothing after the error was reported.
    std::optional<AnswerPolicy> Policy(Terminal& terminal, int& exit) const;
    // --unit: fixes the unit for this process; false after the error was reported.
    bool ApplyUnit(Terminal& terminal, int& exit) const;
    // --input-kind into the choice; refused on a model without input kinds.
    bool InputKind(const ModelRow& row, LoggerChoice& choice, Terminal& terminal, int& exit) const;
    // --lan and --login into `lan` (left empty without --lan); false after
    // the error was reported.
    bool Lan(std::optional<LanAddress>& lan, Terminal& terminal, int& exit) const;

  private:
    QCommandLineParser parser_;
};

// Reports a usage error: the message on the error stream, exit code 2.
int UsageError(Terminal& terminal, const std::string& message);

}  // namespace tb::cli
