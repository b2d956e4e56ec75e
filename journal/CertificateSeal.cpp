#include "journal/CertificateSeal.h"

#include <QCryptographicHash>
#include <charconv>
#include <cstdio>

#include "journal/CertificateRegister.h"
#include "resources/StringIds.h"

namespace tb::journal {
namespace {

using namespace resources::strings;

constexpr std::string_view kSealStart = "tb-seal:";
constexpr std::string_view kSealEnd = ":tb-seal-end";
constexpr std::size_t kDigestLength = 64;
constexpr std::size_t kNumberDigest = 8;
// "TB-" + up to 19 digits + "-" + 8 hex, and "-R" + a revision.
constexpr std::size_t kMaxNumberLength = 36;
constexpr std::size_t kMaxSealText = kMaxSealRows * 21 + 256;

bool IsHex(std::string_view text) {
    return text.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

std::optional<int64_t> IdOf(std::string_view text) {
    int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value <= 0) return std::nullopt;
    return value;
}

// Splits "a;b;c" into its parts.
std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (;;) {
        const auto at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos) return parts;
        text.remove_prefix(at + 1);
    }
}

}  // namespace

CertificateSeal SealOf(const std::vector<JournalEntry>& entries) {
    CertificateSeal seal;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    int64_t newest = 0;
    for (const JournalEntry& entry : entries) {
        seal.rowIds.push_back(entry.id);
        newest = std::max(newest, entry.id);
        const std::string line = std::to_string(entry.id) + ":" + entry.chain + "\n";
        hash.addData(QByteArrayView(line.data(), static_cast<qsizetype>(line.size())));
    }
    seal.digest = hash.result().toHex().toStdString();
    char number[kMaxNumberLength + 1];
    std::snprintf(number, sizeof number, "TB-%06lld-%s", static_cast<long long>(newest),
                  QByteArray::fromStdString(seal.digest.substr(0, kNumberDigest)).toUpper().constData());
    seal.number = number;
    return seal;
}

std::string RevisedNumber(const std::string& rowsNumber, int revision) {
    return rowsNumber + "-R" + std::to_string(revision);
}

std::string RowsNumber(const std::string& number) {
    const auto at = number.rfind("-R");
    if (at == std::string::npos || at + 2 == number.size() || number.size() - at > 4) return number;
    const bool digits = number.find_first_not_of("0123456789", at + 2) == std::string::npos;
    return digits ? number.substr(0, at) : number;
}

std::string SealText(const CertificateSeal& seal) {
    std::string rows;
    for (int64_t id : seal.rowIds) {
        if (!rows.empty()) rows += ',';
        rows += std::to_string(id);
    }
    return std::string(kSealStart) + seal.number + ";" + rows + ";" + seal.digest +
           std::string(kSealEnd);
}

std::optional<CertificateSeal> FindSeal(std::string_view bytes) {
    const auto start = bytes.find(kSealStart);
    if (start == std::string_view::npos) return std::nullopt;
    std::string_view rest = bytes.substr(start + kSealStart.size());
    const auto end = rest.substr(0, kMaxSealText).find(kSealEnd);
    if (end == std::string_view::npos) return std::nullopt;
    const std::vector<std::string_view> fields = Split(rest.substr(0, end), ';');
    if (fields.size() != 3) return std::nullopt;
    CertificateSeal seal;
    if (fields[0].empty() || fields[0].size() > kMaxNumberLength) return std::nullopt;
    seal.number = std::string(fields[0]);
    if (fields[2].size() != kDigestLength || !IsHex(fields[2])) return std::nullopt;
    seal.digest = std::string(fields[2]);
    for (std::string_view part : Split(fields[1], ',')) {
        const auto id = IdOf(part);
        if (!id || seal.rowIds.size() == kMaxSealRows) return std::nullopt;
        seal.rowIds.push_back(*id);
    }
    return seal;
}

SealCheck CheckSeal(JournalStore& store, const CertificateSeal& seal) {
    SealCheck check;
    check.number = seal.number;
    const VerifyReport chain = store.Verify();
    if (!chain.readable) {
        check.reason = chain.error;
        return check;
    }
    if (chain.firstBroken) {
        check.reason = {kMsgSealChainBroken, {std::to_string(*chain.firstBroken)}};
        return check;
    }
    std::vector<JournalEntry> rows;
    for (int64_t id : seal.rowIds) {
        auto entry = store.Entry(id);
        if (!entry) {
            check.reason = {kMsgSealRowMissing, {std::to_string(id)}};
            return check;
        }
        rows.push_back(std::move(*entry));
    }
    const CertificateSeal recomputed = SealOf(rows);
    if (recomputed.digest != seal.digest || recomputed.number != RowsNumber(seal.number)) {
        check.reason = {kMsgSealRowsDiffer};
        return check;
    }
    if (seal.number != recomputed.number) {
        const auto issued = FindIssued(store, seal.number, check.reason);
        if (check.reason) return check;
        if (!issued || issued->digest != seal.digest) {
            check.reason = {kMsgSealNumberUnknown};
            return check;
        }
    }
    check.matches = true;
    check.rows = rows.size();
    return check;
}

}  // namespace tb::journal
