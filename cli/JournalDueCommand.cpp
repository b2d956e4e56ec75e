// trimbench journal due [--within DAYS] [--json] [--sqlite FILE | --postgresql OPTIONS]
#include <QDate>
#include <QJsonArray>
#include <QJsonObject>
#include <iomanip>

#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "cli/JournalAccess.h"
#include "cli/JsonOutput.h"
#include "journal/DueList.h"
#include "journal/JournalError.h"

namespace tb::cli {
namespace {

constexpr int kDefaultWithinDays = 30;

QString Q(const std::string& text) { return QString::fromStdString(text); }
std::string Day(const QDate& day) { return day.toString(Qt::ISODate).toStdString(); }

// --within: 0..kMaxDueDays days; nothing after the error was reported.
std::optional<int> WithinDays(const CommandParser& parser, Terminal& terminal, int& exit) {
    if (!parser.IsSet("within")) return kDefaultWithinDays;
    const QString text = QString::fromStdString(parser.Value("within"));
    bool number = false;
    const int days = text.toInt(&number);
    if (!number || days < 0 || days > journal::kMaxDueDays || text.trimmed() != text) {
        exit = UsageError(terminal, Text(cli_text::BadWithin, {parser.Value("within")}));
        return std::nullopt;
    }
    return days;
}

void PrintTable(const std::vector<journal::DueLogger>& due, Terminal& terminal) {
    auto& out = terminal.out;
    if (due.empty()) {
        out << Text(cli_text::DueNone) << '\n';
        return;
    }
    out << std::left;
    for (const QString& column : Q(Text(cli_text::DueColumns)).split('|')) out << column.toStdString() << "  ";
    out << '\n';
    for (const journal::DueLogger& logger : due) {
        out << std::setw(8) << logger.model << "  " << std::setw(8) << logger.serial << "  "
            << Day(logger.lastVisit) << "  " << Day(logger.due) << "  " << logger.daysLeft << '\n';
    }
}

QJsonArray JsonOf(const std::vector<journal::DueLogger>& due) {
    QJsonArray loggers;
    for (const journal::DueLogger& logger : due) {
        loggers.append(QJsonObject{{"model", Q(logger.model)},
                                   {"serial", Q(logger.serial)},
                                   {"lastVisit", Q(Day(logger.lastVisit))},
                                   {"intervalDays", logger.intervalDays},
                                   {"due", Q(Day(logger.due))},
                                   {"daysLeft", logger.daysLeft}});
    }
    return loggers;
}

}  // namespace

int RunJournalDue(const QStringList& arguments, Terminal& terminal) {
    CommandParser parser(cli_text::HelpJournalDue, QString());
    parser.AddValue("within", cli_text::OptWithin, "DAYS");
    AddJournalOptions(parser);
    int exit = 0;
    if (!parser.Parse(arguments, terminal, exit) || !parser.NoPositional(terminal, exit)) return exit;
    const bool json = parser.IsSet("json");
    const auto within = WithinDays(parser, terminal, exit);
    if (!within) return exit;
    journal::JournalError error;
    const auto intervals = journal::DueIntervalsSetting(error);
    if (!intervals) {
        return FinishJournalCommand("journal due", ExitCode::Failure,
                                    Text(cli_text::DueIntervalsBad, {journal::JournalErrorText(error)}), json,
                                    terminal);
    }
    const auto store = OpenJournalOf(parser, terminal, exit);
    if (!store) return exit;
    const auto due = journal::DueLoggers(*store, *intervals, QDate::currentDate(), *within, error);
    if (!due) {
        return FinishJournalCommand("journal due", ExitCode::Failure,
                                    Text(cli_text::JournalUnreadable, {journal::JournalErrorText(error)}), json,
                                    terminal);
    }
    if (!json) {
        PrintTable(*due, terminal);
    } else {
        PrintJson(terminal, {{"command", "journal due"},
                             {"result", "done"},
                             {"exitCode", 0},
                             {"withinDays", *within},
                             {"loggers", JsonOf(*due)}});
    }
    return static_cast<int>(ExitCode::Done);
}

}  // namespace tb::cli
