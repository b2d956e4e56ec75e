// What the journal's files hold, read back as a person would see them.
#pragma once

#include <QProcess>
#include <QString>
#include <fstream>
#include <iterator>
#include <string>

namespace tb::journal::testing {

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The text of a PDF as pdftotext lays it out; empty when it cannot be read.
inline std::string PdfText(const std::string& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {"-layout", QString::fromStdString(pdf), "-"});
    if (!process.waitForFinished(30000)) return {};
    return process.readAllStandardOutput().toStdString();
}

}  // namespace tb::journal::testing
