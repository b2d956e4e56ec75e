// trimbench list [--lan HOST:PORT --login TEXT] [--json]

#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "cli/JsonOutput.h"
#include "cli/TextColumns.h"

namespace tb::cli {
namespace {

void PrintTable(const std::vector<AttachedLogger>& loggers, Terminal& terminal) {
    if (loggers.empty()) {
        terminal.out << Text(cli_text::ListNone) << '\n';
        return;
    }
    auto& out = terminal.out;
    out << Column(Text(cli_text::ListModel), 10) << Column(Text(cli_text::ListSerial), 10)
        << Column(Text(cli_text::ListCom), 6) << Column(Text(cli_text::ListVia), 15) << '\n';
    for (const AttachedLogger& logger : loggers) {
        out << Column(logger.model.empty() ? Text(cli_text::UnknownLogger) : logger.model, 10)
            << Column(logger.serial ? LoggerLabel({logger.serial, {}, {}}) : "-", 10)
            << Column(logger.com ? std::to_string(*logger.com) : "-", 6)
            << Column(ViaName(logger), 15) << logger.detail << '\n';
    }
}

}  // namespace

int RunList(const QStringList& arguments, Terminal& terminal) {
    CommandParser parser(cli_text::HelpList, QString());
    parser.AddValue("lan", cli_text::OptLan, "HOST:PORT");
    parser.AddValue("login", cli_text::OptLogin, "TEXT");
    int exit = 0;
    if (!parser.Parse(arguments, terminal, exit) || !parser.NoPositional(terminal, exit)) return exit;

    std::optional<LanAddress> lan;
    if (!parser.Lan(lan, terminal, exit)) return exit;
    std::vector<AttachedLogger> loggers = ListAttached();
    ExitCode code = ExitCode::Done;
    if (lan) {
        int error = 0;
        if (auto unit = ListLanUnit(lan->host, lan->port, lan->login, error)) {
            loggers.push_back(*unit);
        } else {
            terminal.err << Text(cli_text::LanFailed, {std::to_string(error)}) << '\n';
            code = ExitCode::Communication;
        }
    }
    if (parser.IsSet("json")) {
        QJsonArray array;
        for (const AttachedLogger& logger : loggers) array.append(LoggerJson(logger));
        PrintJson(terminal, {{"command", "list"},
                             {"result", QString::fromUtf8(ResultName(code).data())},
                             {"exitCode", static_cast<int>(code)},
                             {"loggers", array}});
    } else {
        PrintTable(loggers, terminal);
    }
    return static_cast<int>(code);
}

}  // namespace tb::cli
