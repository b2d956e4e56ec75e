// trimbench journal reference add ID --description TEXT --certificate NUMBER
//                                    --calibrated DATE --due DATE
// trimbench journal reference retire ID
// trimbench journal reference list [--json]
#include <QDate>
#include <QJsonArray>
#include <iomanip>

#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "cli/JournalAccess.h"
#include "cli/JsonOutput.h"
#include "journal/ReferenceRegister.h"

namespace tb::cli {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

int Refused(const std::string& message, Terminal& terminal) {
    terminal.err << "trimbench: " << message << '\n';
    return static_cast<int>(ExitCode::RefusedInput);
}

std::string StateName(const journal::ReferenceInstrument& instrument) {
    if (instrument.retired) return "retired";
    return instrument.ExpiredOn(QDate::currentDate()) ? "expired" : "in-use";
}

int List(journal::ReferenceRegister& references, bool json, Terminal& terminal) {
    journal::JournalError error;
    const auto instruments = references.List(error);
    if (!instruments) return ReportJournalError(error, terminal);
    if (json) {
        QJsonArray array;
        for (const journal::ReferenceInstrument& instrument : *instruments) {
            array.append(QJsonObject{{"id", Q(instrument.id)},
                                     {"description", Q(instrument.description)},
                                     {"certificate", Q(instrument.certificate)},
                                     {"calibrated", Q(instrument.calibratedOn)},
                                     {"due", Q(instrument.dueOn)},
                                     {"state", Q(StateName(instrument))}});
        }
        PrintJson(terminal, {{"command", "journal reference list"},
                             {"result", "done"},
                             {"exitCode", 0},
                             {"references", array}});
        return static_cast<int>(ExitCode::Done);
    }
    if (instruments->empty()) {
        terminal.out << Text(cli_text::ReferenceNone) << '\n';
        return static_cast<int>(ExitCode::Done);
    }
    for (const QString& column : Q(Text(cli_text::ReferenceColumns)).split('|'))
        terminal.out << column.toStdString() << "  ";
    terminal.out << '\n' << std::left;
    for (const journal::ReferenceInstrument& instrument : *instruments) {
        terminal.out << std::setw(12) << instrument.id << "  " << instrument.description << "  "
                     << instrument.certificate << "  " << instrument.calibratedOn << "  "
                     << instrument.dueOn << "  " << StateName(instrument) << '\n';
    }
    return static_cast<int>(ExitCode::Done);
}

}  // namespace

int RunJournalReference(const QStringList& arguments, Terminal& terminal) {
    CommandParser parser(cli_text::HelpReference, "add|retire|list");
    parser.AddValue("description", cli_text::OptDescription, "TEXT");
    parser.AddValue("certificate", cli_text::OptCertificateNumber, "NUMBER");
    parser.AddValue("calibrated", cli_text::OptCalibrated, "DATE");
    parser.AddValue("due", cli_text::OptDue, "DATE");
    AddJournalOptions(parser);
    int exit = 0;
    if (!parser.Parse(arguments, terminal, exit)) return exit;
    const QStringList positional = parser.Positional();
    const QString action = positional.value(0);
    const bool needsId = action == "add" || action == "retire";
    if (!(needsId || action == "list") || positional.size() != (needsId ? 2 : 1))
        return UsageError(terminal, Text(cli_text::ReferenceUsage));
    if (action != "add") {
        for (const char* option : {"description", "certificate", "calibrated", "due"})
            if (parser.IsSet(option))
                return UsageError(terminal, Text(cli_text::ExtraArguments, {std::string("--") + option}));
    }
    const auto store = OpenJournalOf(parser, terminal, exit);
    if (!store) return exit;
    journal::ReferenceRegister references(*store);
    if (action == "list") return List(references, parser.IsSet("json"), terminal);

    const std::string id = positional[1].toStdString();
    journal::JournalError error;
    auto refused = [&] { return Refused(Text(cli_text::ReferenceRefused, {journal::JournalErrorText(error)}), terminal); };
    if (action == "retire") {
        if (!references.Retire(id, error)) return refused();
        terminal.out << Text(cli_text::ReferenceRetired, {id}) << '\n';
        return static_cast<int>(ExitCode::Done);
    }
    const journal::ReferenceInstrument instrument{id, parser.Value("description"),
                                                  parser.Value("certificate"),
                                                  parser.Value("calibrated"), parser.Value("due")};
    if (!references.Add(instrument, error)) return refused();
    terminal.out << Text(cli_text::ReferenceAdded, {id, instrument.dueOn}) << '\n';
    return static_cast<int>(ExitCode::Done);
}

}  // namespace tb::cli
