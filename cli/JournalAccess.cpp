#include "cli/JournalAccess.h"

#include "cli/Arguments.h"
#include "cli/CliTexts.h"
#include "cli/CommandParser.h"
#include "cli/JsonOutput.h"
#include "cli/LoggerDirectory.h"

namespace tb::cli {

void AddJournalOptions(CommandParser& parser) {
    parser.AddValue("sqlite", cli_text::OptJournalSqlite, "FILE");
    parser.AddValue("postgresql", cli_text::OptJournalPostgres, "OPTIONS");
}

std::optional<journal::JournalLocation> JournalLocationOf(const CommandParser& parser,
                                                          Terminal& terminal, int& exit) {
    if (parser.IsSet("sqlite") && parser.IsSet("postgresql")) {
        exit = UsageError(terminal, Text(cli_text::OneJournal));
        return std::nullopt;
    }
    if (parser.IsSet("sqlite")) return journal::JournalLocation{journal::Engine::Sqlite, parser.Value("sqlite"), {}};
    if (parser.IsSet("postgresql"))
        return journal::JournalLocation{journal::Engine::Postgres, {}, parser.Value("postgresql")};
    return journal::ConfiguredLocation();
}

std::unique_ptr<journal::JournalStore> OpenJournalOf(const CommandParser& parser,
                                                     Terminal& terminal, int& exit) {
    const auto location = JournalLocationOf(parser, terminal, exit);
    if (!location) return nullptr;
    journal::JournalError error;
    auto store = journal::OpenJournal(*location, error);
    if (!store) exit = ReportJournalError(error, terminal);
    return store;
}

int ReportJournalError(const journal::JournalError& error, Terminal& terminal) {
    terminal.err << "trimbench: " << journal::JournalErrorText(error) << '\n';
    return static_cast<int>(ExitCode::Failure);
}

std::string JournalSerial(const std::string& text) {
    const auto serial = ParseSerial(text);
    return serial ? LoggerLabel({serial, std::nullopt, std::nullopt}) : text;
}

std::optional<QDate> ParseDay(const std::string& text, Terminal& terminal, int& exit) {
    const QDate day = QDate::fromString(QString::fromStdString(text), Qt::ISODate);
    if (!day.isValid() || text.size() != 10) {
        terminal.err << "trimbench: " << Text(cli_text::BadDate, {text}) << '\n';
        exit = static_cast<int>(ExitCode::RefusedInput);
        return std::nullopt;
    }
    return day;
}

int FinishJournalCommand(std::string_view command, ExitCode code, const std::string& message,
                         bool json, Terminal& terminal, const QJsonObject& details) {
    if (json) {
        QJsonObject object{{"command", QString::fromUtf8(command.data(), static_cast<qsizetype>(command.size()))},
                           {"result", QString::fromUtf8(ResultName(code).data())},
                           {"exitCode", static_cast<int>(code)},
                           {"message", QString::fromStdString(message)}};
        for (auto it = details.begin(); it != details.end(); ++it) object.insert(it.key(), it.value());
        PrintJson(terminal, object);
    } else if (code == ExitCode::Done) {
        terminal.out << message << '\n';
    } else {
        terminal.err << "trimbench: " << message << '\n';
    }
    return static_cast<int>(code);
}

}  // namespace tb::cli
