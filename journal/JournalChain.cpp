#include "journal/JournalChain.h"

#include <QCryptographicHash>

namespace tb::journal {

std::string ChainValue(const std::string& previous, const JournalEntry& entry) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(QByteArrayView(previous.data(), static_cast<qsizetype>(previous.size())));
    hash.addData(QByteArrayView("\n", 1));
    const std::string text = CanonicalText(entry);
    hash.addData(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
    return hash.result().toHex().toStdString();
}

}  // namespace tb::journal
