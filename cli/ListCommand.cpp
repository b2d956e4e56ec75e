// trimbench list [--lan HOST:PORT --login TEXT] [--json]
#include <iomanip>

#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "cli/JsonOutput.h"

namespace tb::cli {
namespace {

void PrintTable(const std::vector<AttachedLogger>& loggers, Terminal& terminal) {
    if (loggers.empty()) {
        terminal.out << Text(cli_text::ListNone) << '\n';
        return;
    }
    auto& out = terminal.out;
    out << std::left << std::setw(10) << Text(cli_text::ListModel) << std::setw(10)
        << Text(cli_text::ListSerial) << std::setw(6) << Text(cli_text::ListCom) << std::setw(15)
        << Text(cli_text::ListVia) << '\n';
    for (const AttachedLogger& logger : loggers) {
        out << std::setw(10)
            << (logger.model.empty() ? Text(cli_text::UnknownLogger) : logger.model)
            << std::setw(10) << (logger.serial ? LoggerLabel({logger.serial, {}, {}}) : "-")
            << std::setw(6) << (logger.com ? std::to_string(*logger.com) : "-") << std::setw(15)
            << ViaName(logger) << logger.detail << '\n';
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
