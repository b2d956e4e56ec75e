// Reading a machine-readable certificate in tests: xmllint's verdict
// against the vendored DCC schema (TB_DCC_SCHEMA names dcc.xsd), and every
// element's text by its qualified name, in document order.
#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QXmlStreamReader>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace tb::testsupport {

inline bool ValidatesAgainstSchema(const std::filesystem::path& file) {
    const char* schema = std::getenv("TB_DCC_SCHEMA");
    if (!schema) return false;
    const std::string command =
        "xmllint --noout --schema '" + std::string(schema) + "' '" + file.string() + "' 2>&1";
    return std::system(command.c_str()) == 0;
}

inline std::multimap<std::string, std::string> ReadBack(const std::filesystem::path& file) {
    QFile in(QString::fromStdString(file.string()));
    EXPECT_TRUE(in.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&in);
    std::multimap<std::string, std::string> texts;
    std::vector<std::string> open;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) open.push_back(xml.qualifiedName().toString().toStdString());
        if (xml.isEndElement()) open.pop_back();
        if (xml.isCharacters() && !xml.isWhitespace() && !open.empty())
            texts.emplace(open.back(), xml.text().toString().toStdString());
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return texts;
}

inline std::vector<std::string> All(const std::multimap<std::string, std::string>& texts,
                                    const std::string& name) {
    std::vector<std::string> values;
    const auto [first, last] = texts.equal_range(name);
    for (auto it = first; it != last; ++it) values.push_back(it->second);
    return values;
}

}  // namespace tb::testsupport
