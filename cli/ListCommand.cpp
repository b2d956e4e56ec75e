// trimbench list [--lan HOST:PORT --login TEXT] [--json]
#include <iomanip>

#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "cli/JsonOutput.h"

namespace tb::cli {
namespace {

void PrintTable(const std::vector<AttachedLogger>& loggers, Terminal& terminal) {
    if (loggers.empty()) {
        terminal.out << Text(T::ListNone) << '\n';
        return;
    }
    auto& out = terminal.out;
    out << std::left << std::setw(10) << Text(T::ListModel) << std::setw(10) << Text(T::ListSerial)
        << std::setw(6) << Text(T::ListCom) << std::setw(15) << Text(T::ListVia) << '\n';
    for (const AttachedLogger& logger : loggers) {
        out << std::setw(10) << (logger.model.empty() ? Text(T::UnknownLogger) : logger.model)
            << std::setw(10) << (logger.serial ? LoggerLabel({logger.serial, {}, {}}) : "-")
            << std::setw(6) << (logger.com ? std::to_string(*logger.com) : "-") << std::setw(15)
            << logger.via << logger.detail << '\n';
    }
}

// HOST:PORT of --lan; false after the error was reported.
bool ParseLan(const std::string& text, std::string& host, int& port, Terminal& terminal, int& exit) {
    const auto colon = text.rfind(':');
    bool ok = colon != std::string::npos && colon > 0;
    if (ok) {
        host = text.substr(0, colon);
        const std::string digits = text.substr(colon + 1);
        ok = !digits.empty() && digits.size() <= 5 &&
             digits.find_first_not_of("0123456789") == std::string::npos;
        port = ok ? std::stoi(digits) : 0;
        ok = ok && port > 0 && port <= 65535;
    }
    if (!ok) exit = UsageError(terminal, Text(T::BadLan, {text}));
    return ok;
}

}  // namespace

int RunList(const QStringList& arguments, Terminal& terminal) {
    CommandParser parser(T::HelpList, QString());
    parser.AddValue("lan", T::OptLan, "HOST:PORT");
    parser.AddValue("login", T::OptLogin, "TEXT");
    int exit = 0;
    if (!parser.Parse(arguments, terminal, exit)) return exit;
    if (!parser.Positional().isEmpty())
        return UsageError(terminal, Text(T::ExtraArguments, {parser.Positional()[0].toStdString()}));

    std::vector<AttachedLogger> loggers = ListAttached();
    ExitCode code = ExitCode::Done;
    if (parser.IsSet("lan")) {
        if (!parser.IsSet("login")) return UsageError(terminal, Text(T::MissingLogin));
        std::string host;
        int port = 0;
        if (!ParseLan(parser.Value("lan"), host, port, terminal, exit)) return exit;
        int error = 0;
        if (auto unit = ListLanUnit(host, port, parser.Value("login"), error)) {
            loggers.push_back(*unit);
        } else {
            terminal.err << Text(T::LanFailed, {std::to_string(error)}) << '\n';
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
