// The window with the English resource library, as a technician who chose
// the English interface sees it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <filesystem>
#include <string>

#include "services/HelpOpener.h"
#include "services/MessageBox.h"
#include "services/PageServices.h"
#include "tests/support/ScriptedMessageBoxes.h"
#include "services/Settings.h"
#include "app/TrimbenchApp.h"
#include "app/TrimbenchDlg.h"
#include "tests/ui/QtTestApp.h"
#include "ui/HelpWindow.h"
#include "ui/QtMessageBoxBackend.h"

using tb::app::CTrimbenchApp;
using tb::app::CTrimbenchDlg;

namespace {

class EnglishWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        settingsFile_ =
            QDir::tempPath().toStdString() + "/tb-english-" + std::to_string(getpid()) + ".ini";
        std::remove(settingsFile_.c_str());
        setenv("TRIMBENCH_SETTINGS_FILE", settingsFile_.c_str(), 1);
        app_.InitInstance();
    }
    void TearDown() override {
        tb::services::SetHelpOpener({});
        std::remove(settingsFile_.c_str());
    }

    QWidget* Control(CTrimbenchDlg& dialog, int page, int id) {
        return dialog.Sheet()->PageWidgets()[static_cast<size_t>(page)]->Dialog().Control(id);
    }

    std::string settingsFile_;
    CTrimbenchApp app_{tb::testing::ProgramArgc(), tb::testing::ProgramArgv(), TB_ENGLISH_LIBRARY};
};

TEST_F(EnglishWindow, CaptionsTabsAndSettingsFollowTheEnglishLibrary) {
    ASSERT_TRUE(app_.HasResourceLibrary());
    EXPECT_EQ(app_.LanguageNumber(), 1);
    EXPECT_EQ(tb::services::ReadDateForm(), 4);

    CTrimbenchDlg dialog(tb::app::MakeStandardPages(), app_.LanguageNumber());
    const int tabs = dialog.Sheet()->count();
    ASSERT_EQ(tabs, 8);  // the settings page is there
    EXPECT_EQ(dialog.Sheet()->tabText(0), QStringLiteral("LGR820B/821B"));
    EXPECT_EQ(dialog.Sheet()->tabText(tabs - 1), QStringLiteral("  Settings  "));
    EXPECT_EQ(qobject_cast<QAbstractButton*>(Control(dialog, 0, 1130))->text(),
              QStringLiteral("Send"));
    EXPECT_EQ(qobject_cast<QGroupBox*>(Control(dialog, 0, 1112))->title(),
              QStringLiteral("Ch.1 (temperature)"));
    EXPECT_EQ(Control(dialog, 0, 1016)->accessibleName(), QStringLiteral("Before 1"));
    EXPECT_EQ(qobject_cast<QAbstractButton*>(Control(dialog, tabs - 1, 1000))->text(),
              QStringLiteral("°C"));
    EXPECT_EQ(dialog.AboutAction()->text(), QStringLiteral("&About Trimbench..."));

    // The picture of the English manual, taken as a technician fills in a page.
    dialog.show();
    qobject_cast<QAbstractButton*>(Control(dialog, 0, 1021))->click();
    qobject_cast<QLineEdit*>(Control(dialog, 0, 1016))->setText(QStringLiteral("25.0"));
    qobject_cast<QLineEdit*>(Control(dialog, 0, 1018))->setText(QStringLiteral("25.3"));
    QApplication::processEvents();
    QDir().mkpath(QStringLiteral(TB_ARTEFACT_DIR "/manual/en"));
    EXPECT_TRUE(
        dialog.grab().save(QStringLiteral(TB_ARTEFACT_DIR "/manual/en/trimbench2-window.png")));
}

TEST_F(EnglishWindow, MessageBoxesSpeakEnglishWithEnglishButtons) {
    tb::ui::ScopedQtMessageBoxes boxes;
    QString text;
    QStringList buttons;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        text = box->text();
        for (QAbstractButton* button : box->buttons()) buttons << button->text();
        box->reject();
    });
    EXPECT_EQ(tb::services::ShowMessageId(1005, tb::services::MsgButtons::YesNo), tb::services::MsgAnswer::No);
    EXPECT_TRUE(text.startsWith(QStringLiteral("The adjustment settings"))) << text.toStdString();
    buttons.sort();
    EXPECT_EQ(buttons, (QStringList{QStringLiteral("&No"), QStringLiteral("&Yes")}));
}

TEST_F(EnglishWindow, HelpButtonOpensTheEnglishManualOrReports1006) {
    CTrimbenchDlg dialog(tb::app::MakeStandardPages(), app_.LanguageNumber());
    std::string opened;
    tb::services::SetHelpOpener([&](const std::string& path) {
        opened = path;
        return true;
    });
    tb::services::ScriptedMessageBoxes boxes;
    qobject_cast<QAbstractButton*>(Control(dialog, 0, 1013))->click();
    EXPECT_EQ(boxes.Count(), 0u);
    ASSERT_TRUE(std::filesystem::is_regular_file(opened)) << opened;
    EXPECT_EQ(std::filesystem::path(opened).parent_path().filename(), "en");

    // The program's own help window shows that page.
    ASSERT_TRUE(tb::ui::OpenInHelpWindow(opened));
    EXPECT_EQ(tb::ui::CurrentHelpWindow()->windowTitle(), QStringLiteral("Trimbench user manual"));
    EXPECT_FALSE(tb::ui::OpenInHelpWindow("/nonexistent/manual/en/index.html"));
    delete tb::ui::CurrentHelpWindow();

    // Without the manual: message 1006, in English.
    tb::services::ShowHelpFile("/nonexistent/manual/en/index.html");
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().text, "The help file cannot be opened.");
}

}  // namespace
