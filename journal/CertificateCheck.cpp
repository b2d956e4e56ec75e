#include "journal/CertificateCheck.h"

#include <QFile>

#include "journal/CertificateDay.h"
#include "journal/CertificateRegister.h"
#include "resources/StringIds.h"

namespace tb::journal {
namespace {

using namespace resources::strings;

// The seal a file or a number names; nothing with the reason.
std::optional<CertificateSeal> SealNamed(JournalStore& store, const std::string& named,
                                         JournalError& reason) {
    QFile file(QString::fromStdString(named));
    if (!file.exists()) {
        // A registered number names its rows; a number never registered
        // (issued before the register) is found from its rows.
        auto issued = FindIssued(store, named, reason);
        if (reason) return std::nullopt;
        if (issued) return CertificateSeal{issued->number, issued->rowIds, issued->digest};
        auto seal = SealForNumber(store, named, reason);
        if (!seal && !reason) reason = {kMsgSealNumberUnknown};
        return seal;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        reason = GivenReason(file.errorString().toStdString());
        return std::nullopt;
    }
    const QByteArray bytes = file.read(kMaxCertificateBytes);
    auto seal = FindSeal(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!seal) reason = {kMsgSealNotInFile};
    return seal;
}

}  // namespace

SealCheck CheckCertificate(JournalStore& store, const std::string& named) {
    JournalError reason;
    const auto seal = SealNamed(store, named, reason);
    if (!seal) return {.matches = false, .number = named, .reason = std::move(reason)};
    return CheckSeal(store, *seal);
}

}  // namespace tb::journal
