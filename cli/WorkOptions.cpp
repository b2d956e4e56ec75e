#include "cli/WorkOptions.h"

#include <QStringList>

#include "cli/CliTexts.h"
#include "cli/ExitCode.h"
#include "journal/JournalLocation.h"

namespace tb::cli {
namespace {

// Why the references cannot be used; empty when they can.
std::string SelectionProblemText(const std::vector<std::string>& ids, bool allowExpired) {
    if (ids.empty()) return {};
    journal::JournalError error;
    auto store = journal::OpenJournal(journal::ConfiguredLocation(), error);
    if (!store) return journal::JournalErrorText(error);
    journal::ReferenceRegister references(*store);
    const journal::Resolution resolution =
        journal::ResolveReferences(references, ids, QDate::currentDate());
    using journal::SelectionProblem;
    switch (resolution.problem) {
        case SelectionProblem::None:
            return {};
        case SelectionProblem::Unreadable:
            return journal::JournalErrorText(resolution.error);
        case SelectionProblem::TooMany:
            return Text(cli_text::ReferenceTooMany, {std::to_string(journal::kMaxReferencesInUse)});
        case SelectionProblem::Unknown:
            return Text(cli_text::ReferenceUnknown, {resolution.id});
        case SelectionProblem::Retired:
            return Text(cli_text::ReferenceWasRetired, {resolution.id});
        case SelectionProblem::Expired:
            if (allowExpired) return {};
            for (const journal::ReferenceUse& use : resolution.uses)
                if (use.id == resolution.id)
                    return Text(cli_text::ReferenceExpired, {use.id, use.dueOn});
            return Text(cli_text::ReferenceExpired, {resolution.id, "-"});
    }
    return {};
}

std::vector<std::string> IdsOf(const QStringList& texts) {
    std::vector<std::string> ids;
    for (const QString& text : texts) {
        const std::string id = text.trimmed().toStdString();
        if (!id.empty()) ids.push_back(id);
    }
    return ids;
}

}  // namespace

void AddWorkOptions(CommandParser& parser) {
    parser.AddValue("reference", cli_text::OptReference, "ID");
    parser.AddFlag("allow-expired-reference", cli_text::OptAllowExpired);
    parser.AddValue("ambient", cli_text::OptAmbient, "T,RH");
}

std::optional<journal::WorkSelection> WorkSelectionOf(const CommandParser& parser,
                                                      Terminal& terminal, int& exit) {
    journal::WorkSelection selection;
    selection.references = IdsOf(parser.Values("reference"));
    std::string problem;
    journal::JournalError ambient;
    if (parser.IsSet("ambient") && !journal::ParseAmbient(parser.Value("ambient"), selection, ambient))
        problem = Text(cli_text::BadAmbient, {journal::JournalErrorText(ambient)});
    if (problem.empty())
        problem = SelectionProblemText(selection.references, parser.IsSet("allow-expired-reference"));
    if (problem.empty()) return selection;
    terminal.err << "trimbench: " << problem << '\n';
    exit = static_cast<int>(ExitCode::RefusedInput);
    return std::nullopt;
}

std::string RowSelection(const std::string& references, const std::string& ambient,
                         bool allowExpired, journal::WorkSelection& selection) {
    if (!references.empty())
        selection.references = IdsOf(QString::fromStdString(references).split(';'));
    journal::JournalError problem;
    if (!ambient.empty() && !journal::ParseAmbient(ambient, selection, problem))
        return Text(cli_text::BadAmbient, {journal::JournalErrorText(problem)});
    return references.empty() ? std::string() : SelectionProblemText(selection.references, allowExpired);
}

}  // namespace tb::cli
