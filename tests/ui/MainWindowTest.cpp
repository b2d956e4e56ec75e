#include <gtest/gtest.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <cstdlib>
#include <optional>
#include <string>

#include "app/TrimbenchDlg.h"
#include "services/PageServices.h"
#include "services/Settings.h"
#include "services/StringOverride.h"
#include "tests/ui/QtTestApp.h"

using tb::app::CTrimbenchDlg;
using tb::app::MakeStandardPages;

namespace {

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        tb::testing::EnsureQtApp();
        settingsFile_ =
            QDir::tempPath().toStdString() + "/tb-ui-settings-" + std::to_string(getpid()) + ".ini";
        std::remove(settingsFile_.c_str());
        setenv("TRIMBENCH_SETTINGS_FILE", settingsFile_.c_str(), 1);
    }
    void TearDown() override { std::remove(settingsFile_.c_str()); }

    static QStringList TabTexts(const CTrimbenchDlg& dialog) {
        QStringList texts;
        for (int i = 0; i < dialog.Sheet()->count(); ++i) texts << dialog.Sheet()->tabText(i);
        return texts;
    }

    std::string settingsFile_;
};

const QStringList kModelTabs = {QStringLiteral("LGR820B/821B"), QStringLiteral("LGR830B"),
                                QStringLiteral("  LGR-870  "),  QStringLiteral("LGR850B"),
                                QStringLiteral("  LGR-875  "),  QStringLiteral("LGR835B"),
                                QStringLiteral("  LGR-890  ")};

}  // namespace

TEST_F(MainWindowTest, LanguageZeroShowsTheSevenModelTabsInOrder) {
    CTrimbenchDlg dialog(MakeStandardPages(), 0);
    ASSERT_NE(dialog.Sheet(), nullptr);
    EXPECT_EQ(TabTexts(dialog), kModelTabs);
    EXPECT_EQ(dialog.Sheet()->currentIndex(), 0);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Trimbench"));
}

TEST_F(MainWindowTest, OtherLanguagesAddTheSettingsTabLast) {
    CTrimbenchDlg dialog(MakeStandardPages(), 1);
    QStringList expected = kModelTabs;
    expected << QStringLiteral("  設定  ");
    EXPECT_EQ(TabTexts(dialog), expected);
}

TEST_F(MainWindowTest, WindowFitsTheSheetExactlyAndEveryPageShowsWhole) {
    CTrimbenchDlg dialog(MakeStandardPages(), 1);
    dialog.show();
    QApplication::processEvents();
    const QRect frame = dialog.Frame()->geometry();
    EXPECT_EQ(dialog.Frame()->size(), dialog.Sheet()->size());
    EXPECT_EQ(dialog.Sheet()->pos(), QPoint(0, 0));
    EXPECT_EQ(frame.bottom(), dialog.height() - 1);
    EXPECT_EQ(frame.right(), dialog.width() - 1);
    for (int i = 0; i < dialog.Sheet()->count(); ++i) {
        dialog.Sheet()->setCurrentIndex(i);
        QApplication::processEvents();
        QWidget* page = dialog.Sheet()->currentWidget();
        const QRect inSheet(page->mapTo(dialog.Sheet(), QPoint(0, 0)), page->size());
        EXPECT_TRUE(dialog.Sheet()->rect().contains(inSheet)) << i;
    }

    // The artefact shows the first page as a technician fills it in.
    dialog.Sheet()->setCurrentIndex(0);
    auto& page = dialog.Sheet()->PageWidgets()[0]->Dialog();
    qobject_cast<QAbstractButton*>(page.Control(1021))->click();
    qobject_cast<QLineEdit*>(page.Control(1016))->setText(QStringLiteral("25.0"));
    qobject_cast<QLineEdit*>(page.Control(1018))->setText(QStringLiteral("25.3"));
    QApplication::processEvents();
    const QPixmap grab = dialog.grab();
    EXPECT_EQ(grab.size(), dialog.size());
    const QString artefact = QStringLiteral(TB_ARTEFACT_DIR "/trimbench2-window.png");
    QDir().mkpath(QStringLiteral(TB_ARTEFACT_DIR));
    EXPECT_TRUE(grab.save(artefact));
    QDir().mkpath(QStringLiteral(TB_ARTEFACT_DIR "/manual/ja"));
    EXPECT_TRUE(grab.save(QStringLiteral(TB_ARTEFACT_DIR "/manual/ja/trimbench2-window.png")));
}

TEST_F(MainWindowTest, SettingsRadioButtonsWriteTheUnitAtOnce) {
    tb::services::WriteTempUnit(1);
    CTrimbenchDlg dialog(MakeStandardPages(), 1);
    dialog.Sheet()->setCurrentIndex(7);
    auto* page = dialog.Sheet()->PageWidgets()[7];
    auto* celsius = qobject_cast<QAbstractButton*>(page->Dialog().Control(1000));
    auto* fahrenheit = qobject_cast<QAbstractButton*>(page->Dialog().Control(1001));
    EXPECT_TRUE(fahrenheit->isChecked());  // shows what the store holds
    celsius->click();
    EXPECT_EQ(tb::services::ReadTempUnit(), 0);
    fahrenheit->click();
    EXPECT_EQ(tb::services::ReadTempUnit(), 1);

    // The model page shows degrees F when it is shown next, without a restart.
    dialog.Sheet()->setCurrentIndex(0);
    auto* unitLabel =
        qobject_cast<QLabel*>(dialog.Sheet()->PageWidgets()[0]->Dialog().Control(1118));
    EXPECT_EQ(unitLabel->text(), QStringLiteral("°F"));
    dialog.Sheet()->setCurrentIndex(7);
    celsius->click();
    dialog.Sheet()->setCurrentIndex(0);
    EXPECT_EQ(unitLabel->text(), QStringLiteral("℃"));
}

TEST_F(MainWindowTest, AboutEntryOpensTheAboutBox) {
    CTrimbenchDlg dialog(MakeStandardPages(), 0);
    ASSERT_NE(dialog.AboutAction(), nullptr);
    EXPECT_EQ(dialog.AboutAction()->text().toStdString(), tb::services::LoadResString(108));
    QString title, version;
    QTimer::singleShot(0, [&] {
        QWidget* about = QApplication::activeModalWidget();
        ASSERT_NE(about, nullptr);
        title = about->windowTitle();
        for (QLabel* label : about->findChildren<QLabel*>()) {
            if (!label->text().isEmpty()) version = label->text();
        }
        for (QAbstractButton* button : about->findChildren<QAbstractButton*>()) button->click();
    });
    dialog.AboutAction()->trigger();
    EXPECT_EQ(title, QStringLiteral("バージョン情報"));
    EXPECT_EQ(version, QStringLiteral("Trimbench Version 1.31"));
}

TEST_F(MainWindowTest, NoAboutEntryWhenItsTextIsEmpty) {
    std::optional<tb::services::ScopedStringOverride> emptyAbout;
    emptyAbout.emplace([](int id) -> std::optional<std::string> {
        if (id == 108) return std::string();
        return std::nullopt;
    });
    CTrimbenchDlg dialog(MakeStandardPages(), 0);
    emptyAbout.reset();
    EXPECT_EQ(dialog.AboutAction(), nullptr);
    ASSERT_NE(dialog.Frame(), nullptr);
    EXPECT_EQ(dialog.Frame()->pos(), QPoint(0, 0));
    EXPECT_EQ(dialog.size(), dialog.Frame()->size());
}

TEST_F(MainWindowTest, EscapeEndsTheDialogButNotDuringAnOperation) {
    CTrimbenchDlg dialog(MakeStandardPages(), 0);
    dialog.show();
    dialog.Sheet()->setEnabled(false);  // what a running operation does
    dialog.reject();
    EXPECT_TRUE(dialog.isVisible());
    dialog.Sheet()->setEnabled(true);
    dialog.reject();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}
