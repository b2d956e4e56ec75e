#include "cli/Trimbench.h"

#include <array>

#include "cli/BatchWorker.h"
#include "cli/CliTexts.h"
#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "journal/JournalRecorder.h"

namespace tb::cli {
namespace {

struct Subcommand {
    const char* name;
    int (*run)(const QStringList&, Terminal&);
};

constexpr std::array<Subcommand, 10> kSubcommands = {{
    {"list", RunList},
    {"read", RunRead},
    {"adjust", RunAdjust},
    {"initialise", RunInitialise},
    {"initialize", RunInitialise},
    {"batch", RunBatch},
    {"history", RunHistory},
    {"journal", RunJournal},
    {"certificate", RunCertificate},
    {kWorkerCommand, RunBatchWorker},  // not for users: one device's rows of a batch
}};

}  // namespace

int RunTrimbench(const QStringList& arguments, Terminal& terminal) {
    if (arguments.size() < 2) {
        terminal.err << Text(cli_text::Usage);
        return static_cast<int>(ExitCode::Usage);
    }
    const QString name = arguments[1];
    if (name == "--version") {
        terminal.out << "trimbench " << TRIMBENCH_VERSION << '\n';
        return static_cast<int>(ExitCode::Done);
    }
    if (name == "--help" || name == "-h" || name == "help") {
        terminal.out << Text(cli_text::Usage);
        return static_cast<int>(ExitCode::Done);
    }
    for (const Subcommand& subcommand : kSubcommands) {
        if (name != QLatin1String(subcommand.name)) continue;
        // Every page operation is recorded in the journal as the window
        // records it; a record that cannot be stored is reported and the
        // operation stands.
        const std::unique_ptr<journal::InstalledJournal> journal = journal::ConnectJournal();
        return subcommand.run(arguments.mid(1), terminal);
    }
    UsageError(terminal, Text(cli_text::UnknownCommand, {name.toStdString()}));
    terminal.err << Text(cli_text::Usage);
    return static_cast<int>(ExitCode::Usage);
}

}  // namespace tb::cli
