// What the journal's files hold, read back as a person would see them.
#pragma once

#include <QProcess>
#include <QString>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>

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

// Text as a reader's search finds it: without the spaces and line breaks
// the layout puts in, ligatures as their letters.
inline std::string SearchText(std::string text) {
    std::erase_if(text, [](char c) { return c == ' ' || c == '\n' || c == '\f'; });
    for (const auto& [ligature, letters] :
         {std::pair<std::string, std::string>{"\uFB01", "fi"}, {"\uFB02", "fl"}, {"\uFB00", "ff"}}) {
        for (std::size_t at = text.find(ligature); at != std::string::npos; at = text.find(ligature, at))
            text.replace(at, ligature.size(), letters);
    }
    return text;
}

}  // namespace tb::journal::testing
