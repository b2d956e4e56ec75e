// The installed shape: the trimbench program against trimbench-sim, as a
// script on a production line would call it.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "services/PageServices.h"
#include "tests/journal/DocumentText.h"
#include "tests/support/CommandOutput.h"
#include "tests/support/DccDocument.h"
#include "tests/support/SimProgram.h"

namespace {

struct Result {
    int exit = -1;
    std::string out;
    QJsonObject Json() const { return QJsonDocument::fromJson(QByteArray::fromStdString(out)).object(); }
};

class TrimbenchProgram : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("tb-cli-program-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder_);
        setenv("TRIMBENCH_SETTINGS_FILE", (folder_ / "settings.ini").c_str(), 1);
        std::ofstream(folder_ / "settings.ini")
            << "[Journal]\nFile=" << (folder_ / "journal.sqlite3").string() << "\nLab=Line 7 lab\n";
        sim_ = std::make_unique<tb::testsupport::SimProgram>(
            Program("trimbench-sim"), (folder_ / "devices.map").string(),
            std::vector<std::string>{"--no-pacing", "--logger", "820", "--lgr890"});
        ASSERT_TRUE(sim_->Started());
        setenv("TRIMBENCH_DEVICE_MAP", sim_->Map().c_str(), 1);
    }
    void TearDown() override {
        sim_.reset();
        std::filesystem::remove_all(folder_);
    }

    static std::string Program(const char* name) {
        return (std::filesystem::path(tb::services::ProgramFolder()) / name).string();
    }

    // Runs trimbench with its standard input closed; standard error is
    // dropped unless `errors` is set, when it is read with the output.
    Result Trimbench(const std::string& args, bool errors = false) {
        const std::string command =
            Program("trimbench") + " " + args + " </dev/null " + (errors ? "2>&1" : "2>/dev/null");
        auto [out, exit] = tb::testsupport::RunCommand(command);
        return {exit, std::move(out)};
    }

    std::filesystem::path folder_;
    std::unique_ptr<tb::testsupport::SimProgram> sim_;
};

TEST_F(TrimbenchProgram, ListsAdjustsReadsAndRunsABatchAgainstTheSimulator) {
    const Result list = Trimbench("list --json");
    ASSERT_EQ(list.exit, 0);
    const QJsonArray loggers = list.Json()["loggers"].toArray();
    ASSERT_GE(loggers.size(), 2) << list.out;
    const std::string unit = loggers[0].toObject()["serial"].toString().toStdString();
    EXPECT_EQ(loggers[0].toObject()["model"].toString(), "820/821");
    EXPECT_EQ(loggers[1].toObject()["model"].toString(), "890");

    EXPECT_EQ(Trimbench("adjust 820 --point 20:20.4 --dry-run").exit, 0);
    EXPECT_EQ(Trimbench("adjust 820 --point 20:20.4").exit, 7);  // no terminal, no --yes: No
    ASSERT_EQ(Trimbench("adjust 820 --serial " + unit + " --point 20:20.4 --yes").exit, 0);
    const Result read = Trimbench("read 820 --json");
    ASSERT_EQ(read.exit, 0);
    EXPECT_DOUBLE_EQ(read.Json()["channels"].toArray()[0].toObject()["offset"].toDouble(), 0.4);

    std::ofstream(folder_ / "rows.csv") << "model,serial,channel,before1,after1\n"
                                        << "820," << unit << ",1,20,20.1\n"
                                        << "890,,1,20,99\n"
                                        << "890,,1,20,19.5\n";
    const Result batch = Trimbench("batch " + (folder_ / "rows.csv").string() + " --yes --keep-going");
    EXPECT_EQ(batch.exit, 5);
    EXPECT_NE(batch.out.find("limit"), std::string::npos) << batch.out;
    const Result cable = Trimbench("read 890 --json");
    EXPECT_DOUBLE_EQ(cable.Json()["channels"].toArray()[0].toObject()["offset"].toDouble(), -0.5);

    // The interface language decides both the page's and trimbench's own texts.
    EXPECT_EQ(Trimbench("--help").out.rfind("使い方: trimbench <サブコマンド> [オプション]\n", 0),
              0u);
    setenv("TRIMBENCH_LANGUAGE", "en", 1);
    const Result english = Trimbench("adjust 820 --point 0:45 --dry-run", true);
    const Result help = Trimbench("--help");
    unsetenv("TRIMBENCH_LANGUAGE");
    EXPECT_EQ(english.exit, 5);
    EXPECT_NE(english.out.find("The added offset exceeds"), std::string::npos) << english.out;
    EXPECT_EQ(help.out.rfind("usage: trimbench <subcommand> [options]\n", 0), 0u) << help.out;

    EXPECT_EQ(Trimbench("initialise 820 --yes").exit, 0);
    EXPECT_DOUBLE_EQ(Trimbench("read 820 --json").Json()["channels"].toArray()[0].toObject()["offset"].toDouble(),
                     0.0);
}

using tb::journal::testing::SearchText;

struct CertificateItems {
    const char* language;
    std::vector<std::string> expected;
};

// The certificate is the journal window's: the program draws it off-screen.
// It is issued only with every item a lab's certificate states, in the
// interface's language, and its DCC carries the values the PDF prints.
TEST_F(TrimbenchProgram, WritesTheCertificateOfTheLoggersLatestDay) {
    const std::string unit =
        Trimbench("list --json").Json()["loggers"].toArray()[0].toObject()["serial"].toString().toStdString();
    const std::string pdf = (folder_ / "certificate.pdf").string();
    const std::string dcc = (folder_ / "certificate.xml").string();
    const std::string certificate = "certificate --serial " + unit + " --out " + pdf + " --dcc " + dcc;
    EXPECT_EQ(Trimbench(certificate).exit, 8);  // nothing recorded yet
    ASSERT_EQ(Trimbench("adjust 820 --point 20:20.4 --yes").exit, 0);

    const Result refused = Trimbench(certificate, true);
    EXPECT_EQ(refused.exit, 10) << refused.out;
    EXPECT_NE(refused.out.find("Journal/LabAddress"), std::string::npos) << refused.out;
    EXPECT_FALSE(std::filesystem::exists(pdf) || std::filesystem::exists(dcc));

    {
        QSettings settings(QString::fromStdString((folder_ / "settings.ini").string()), QSettings::IniFormat);
        for (const auto& [key, value] : std::vector<std::pair<const char*, const char*>>{
                 {"LabAddress", "1-2-3 Minato, Tokyo"}, {"Customer", "Aoba Foods"},
                 {"CustomerAddress", "4-5 Aoba, Sendai"}, {"Method", "KSL-CAL-07"},
                 {"Approver", "Sato Hanako"}, {"ApproverRole", "Quality manager"},
                 {"Uncertainty", "°C=0.12 (k=2)"}, {"Tolerance", "°C=0.5"}})
            settings.setValue(QStringLiteral("Journal/") + key, QString::fromUtf8(value));
    }
    // A DCC that cannot be written issues nothing: no PDF either.
    const Result unwritable =
        Trimbench("certificate --serial " + unit + " --out " + pdf + " --dcc /nonexistent/c.xml", true);
    EXPECT_EQ(unwritable.exit, 1);
    EXPECT_NE(unwritable.out.find("/nonexistent/c.xml"), std::string::npos) << unwritable.out;
    EXPECT_FALSE(std::filesystem::exists(pdf));

    const std::vector<std::string> common = {unit, "Line 7 lab", "1-2-3 Minato, Tokyo", "Aoba Foods",
                                             "4-5 Aoba, Sendai", "KSL-CAL-07", "Sato Hanako",
                                             "Quality manager", "2020-01-02", "y = 1.000x +0.400"};
    const CertificateItems languages[] = {
        {"ja", {"校正証明書", "発行日", "校正日", "受領日", "当試験所内", "校正方法", "受領時のまま",
                "校正結果は、校正した品目のみに関するものです。", "一部分のみを複製してはなりません",
                "—1/", "判定規則:単純受入れ", "適合", "包含係数k=2", "—証明書以上—"}},
        {"en", {"Calibration certificate", "Date of issue", "Date of calibration", "Date of receipt",
                "at the laboratory", "Method / procedure", "as received",
                "The results relate only to the item calibrated.", "shall not be reproduced except in full",
                "— page 1 of", "Decision rule: simple acceptance", "conforms", "coverage factor k = 2",
                "— end of certificate —"}},
    };
    for (const CertificateItems& items : languages) {
        SCOPED_TRACE(items.language);
        setenv("TRIMBENCH_LANGUAGE", items.language, 1);
        const Result written = Trimbench(certificate + " --receipt-date 2020-01-02 --json");
        unsetenv("TRIMBENCH_LANGUAGE");
        ASSERT_EQ(written.exit, 0) << written.out;
        EXPECT_EQ(written.Json()["records"].toInt(), 1);
        EXPECT_EQ(written.Json()["dcc"].toString().toStdString(), dcc);
        const std::string shown = SearchText(tb::testsupport::RunCommand("pdftotext " + pdf + " -").out);
        std::vector<std::string> expected = items.expected;
        expected.insert(expected.end(), common.begin(), common.end());
        for (const std::string& item : expected)
            EXPECT_NE(shown.find(SearchText(item)), std::string::npos) << item << "\n" << shown;

        // The DCC is valid, and its results are the PDF's: 20.4 °C, 20 °C,
        // the errors -0.40 °C and 0.00 °C, U 0.12 °C.
        EXPECT_TRUE(tb::testsupport::ValidatesAgainstSchema(dcc));
        const auto texts = tb::testsupport::ReadBack(dcc);
        const std::vector<std::string> values = tb::testsupport::All(texts, "si:value");
        EXPECT_EQ(values, (std::vector<std::string>{"20.4", "20", "-0.40", "0.00"}));
        for (const std::string& value : values) EXPECT_NE(shown.find(value + "°C"), std::string::npos) << value;
        EXPECT_EQ(tb::testsupport::All(texts, "si:uncertainty"), std::vector<std::string>(2, "0.12"));
        EXPECT_NE(shown.find("0.12°C"), std::string::npos);
    }

    // A corrected certificate: a new number naming the one it replaces;
    // the journal knows both, and a certificate is corrected once.
    const std::string first = Trimbench(certificate + " --json").Json()["number"].toString().toStdString();
    ASSERT_FALSE(first.empty());
    const Result unknown = Trimbench(certificate + " --replaces TB-000099-00000000", true);
    EXPECT_EQ(unknown.exit, 10);
    EXPECT_NE(unknown.out.find("TB-000099-00000000"), std::string::npos) << unknown.out;
    const Result corrected = Trimbench(certificate + " --replaces " + first + " --json");
    ASSERT_EQ(corrected.exit, 0) << corrected.out;
    const std::string second = corrected.Json()["number"].toString().toStdString();
    EXPECT_EQ(second, first + "-R1");
    const std::string shown = SearchText(tb::testsupport::RunCommand("pdftotext " + pdf + " -").out);
    EXPECT_NE(shown.find(SearchText("本証明書が置き換える証明書" + first)), std::string::npos) << shown;
    EXPECT_NE(shown.find(second), std::string::npos);
    for (const std::string& number : {first, second, pdf})
        EXPECT_EQ(Trimbench("journal verify --certificate " + number).exit, 0) << number;
    EXPECT_EQ(Trimbench("journal verify --certificate " + first + "-R2").exit, 1);
    EXPECT_EQ(Trimbench(certificate + " --replaces " + first).exit, 10);
}

}  // namespace
