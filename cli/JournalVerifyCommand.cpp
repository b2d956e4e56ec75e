// trimbench journal verify [--certificate FILE.pdf | --certificate NUMBER]
//                          [--sqlite FILE | --postgresql OPTIONS]
#include <QFile>
#include <QJsonObject>

#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "cli/JournalAccess.h"
#include "journal/CertificateDay.h"
#include "journal/CertificateSeal.h"

namespace tb::cli {
namespace {

// Larger than any certificate the program draws.
constexpr qint64 kMaxCertificateBytes = 64LL << 20;

int Finish(ExitCode code, const std::string& message, bool json, Terminal& terminal,
           const QJsonObject& details = {}) {
    return FinishJournalCommand("journal verify", code, message, json, terminal, details);
}

// The seal a file or a number names; nothing with the reason.
std::optional<journal::CertificateSeal> SealNamed(journal::JournalStore& store,
                                                  const std::string& named, std::string& reason) {
    QFile file(QString::fromStdString(named));
    if (!file.exists()) {
        auto seal = journal::SealForNumber(store, named, reason);
        if (!seal && reason.empty()) reason = "no certificate of the journal has this number";
        return seal;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        reason = file.errorString().toStdString();
        return std::nullopt;
    }
    const QByteArray bytes = file.read(kMaxCertificateBytes);
    auto seal = journal::FindSeal(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!seal) reason = "the file holds no certificate seal of this program";
    return seal;
}

}  // namespace

int RunJournalVerify(const QStringList& arguments, Terminal& terminal) {
    CommandParser parser(cli_text::HelpVerify, QString());
    parser.AddValue("certificate", cli_text::OptCertificateFile, "FILE.pdf|NUMBER");
    AddJournalOptions(parser);
    int exit = 0;
    if (!parser.Parse(arguments, terminal, exit) || !parser.NoPositional(terminal, exit)) return exit;
    const bool json = parser.IsSet("json");
    const auto store = OpenJournalOf(parser, terminal, exit);
    if (!store) return exit;
    if (!parser.IsSet("certificate")) {
        const journal::VerifyReport report = store->Verify();
        const QJsonObject details{
            {"rows", static_cast<qint64>(report.rows)},
            {"firstBroken", report.firstBroken ? QJsonValue(static_cast<qint64>(*report.firstBroken))
                                               : QJsonValue()}};
        if (!report.readable)
            return Finish(ExitCode::Failure, Text(cli_text::JournalUnreadable, {report.error}), json, terminal);
        if (report.firstBroken)
            return Finish(ExitCode::Failure, Text(cli_text::VerifyBroken, {std::to_string(*report.firstBroken)}),
                          json, terminal, details);
        return Finish(ExitCode::Done, Text(cli_text::VerifyIntact, {std::to_string(report.rows)}), json,
                      terminal, details);
    }
    const std::string named = parser.Value("certificate");
    std::string reason;
    const auto seal = SealNamed(*store, named, reason);
    if (!seal) return Finish(ExitCode::Failure, Text(cli_text::CertificateDiffers, {named, reason}), json, terminal);
    const journal::SealCheck check = journal::CheckSeal(*store, *seal);
    if (!check.matches)
        return Finish(ExitCode::Failure, Text(cli_text::CertificateDiffers, {seal->number, check.reason}), json,
                      terminal);
    return Finish(ExitCode::Done, Text(cli_text::CertificateMatches, {seal->number, std::to_string(check.rows)}),
                  json, terminal);
}

}  // namespace tb::cli
