#include <gtest/gtest.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "services/PageServices.h"
#include "tests/support/ScriptedMessageBoxes.h"
#include "services/Settings.h"
#include "tests/support/EmptyPage.h"
#include "app/TrimbenchDlg.h"
#include "pages/PageLgr820.h"
#include "resources/dialogs/DialogIds.h"
#include "tests/support/ScriptedPageLogger.h"
#include "tests/ui/QtTestApp.h"
#include "ui/QtPumpHook.h"

using namespace tb::pages::one_channel;
using tb::app::CTrimbenchDlg;

namespace {

tb::app::SheetPages PagesWith820(tb::testing::LoggerState& logger) {
    namespace ids = tb::resources;
    tb::app::SheetPages pages;
    pages.models.push_back(std::make_unique<tb::pages::CPageLgr820>(
        std::make_unique<tb::testing::ScriptedPageLogger>(logger)));
    for (int id : {ids::kDialogLgr830, ids::kDialogLgr870, ids::kDialogLgr850, ids::kDialogLgr875,
                   ids::kDialogLgr835, ids::kDialogLgr890}) {
        pages.models.push_back(std::make_unique<tb::app::CEmptyPage>(id));
    }
    pages.settings = std::make_unique<tb::app::CPageSettings>();
    return pages;
}

class BusyRuleTest : public ::testing::Test {
  protected:
    void SetUp() override {
        tb::testing::EnsureQtApp();
        settings_ = std::filesystem::temp_directory_path() /
                    ("tb-ui-busy-" + std::to_string(getpid()) + ".ini");
        setenv("TRIMBENCH_SETTINGS_FILE", settings_.c_str(), 1);
        dialog_ = std::make_unique<CTrimbenchDlg>(PagesWith820(logger_), 0);
        dialog_->show();
        QApplication::processEvents();
    }
    void TearDown() override {
        dialog_.reset();
        std::filesystem::remove(settings_);
    }

    QWidget* Control(int id) { return dialog_->Sheet()->PageWidgets()[0]->Dialog().Control(id); }
    void Click(int id) { QTest::mouseClick(Control(id), Qt::LeftButton); }
    void ClickTab(int index) {
        QTabBar* bar = dialog_->Sheet()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }

    std::filesystem::path settings_;
    tb::testing::LoggerState logger_;
    tb::services::ScriptedMessageBoxes boxes_;
    tb::ui::ScopedQtPumpHook pump_;
    std::unique_ptr<CTrimbenchDlg> dialog_;
};

}  // namespace

TEST_F(BusyRuleTest, ClicksDuringAnOperationsWaitAreNotActedOn) {
    ClickTab(2);  // the tab bar takes real clicks while idle
    ASSERT_EQ(dialog_->Sheet()->currentIndex(), 2);
    ClickTab(0);
    ASSERT_EQ(dialog_->Sheet()->currentIndex(), 0);

    bool triedDuringWait = false;
    logger_.duringExchange = [&] {
        if (triedDuringWait) return;
        triedDuringWait = true;
        // The user clicks around while the device is busy; the window keeps
        // running events during the wait.
        QTimer::singleShot(20, [&] {
            ClickTab(3);
            Click(kReceive);
            Click(kInitialise);
        });
        tb::services::PumpWait(150);
    };
    Click(kReceive);

    EXPECT_TRUE(triedDuringWait);
    EXPECT_EQ(dialog_->Sheet()->currentIndex(), 0);
    EXPECT_EQ(logger_.reads, 1);  // the second receive never started
    ASSERT_EQ(boxes_.Count(), 1u);
    EXPECT_EQ(boxes_.Last().text, "設定値を受信しました。");
    // Every way out switches the sheet and the buttons on again.
    EXPECT_TRUE(dialog_->Sheet()->isEnabled());
    for (int id : {kInitialise, kSend, kReceive}) EXPECT_TRUE(Control(id)->isEnabled()) << id;
    ClickTab(3);
    EXPECT_EQ(dialog_->Sheet()->currentIndex(), 3);
}

TEST_F(BusyRuleTest, WindowClosesNotWhileAnOperationRuns) {
    bool visibleAfterClose = false;
    logger_.duringExchange = [&] {
        dialog_->close();
        QTest::keyClick(dialog_.get(), Qt::Key_Escape);
        tb::services::PumpWait(20);
        visibleAfterClose = dialog_->isVisible();
    };
    Click(kReceive);
    EXPECT_TRUE(visibleAfterClose);
    QTest::keyClick(dialog_.get(), Qt::Key_Escape);
    EXPECT_FALSE(dialog_->isVisible());
}

TEST_F(BusyRuleTest, EnteredValuesSurvivePageSwitchesAndTheUnitFollowsTheSettings) {
    Click(kAdjustChannel);
    QTest::keyClicks(Control(kBefore1), QStringLiteral("25.0"));
    ClickTab(6);
    tb::services::WriteTempUnit(1);  // as the settings page does
    ClickTab(0);
    auto* label = Control(kUnitBefore1);
    EXPECT_EQ(label->property("text").toString(), QStringLiteral("°F"));
    EXPECT_EQ(Control(kBefore1)->property("text").toString(), QStringLiteral("25.0"));
    EXPECT_TRUE(Control(kBefore1)->isEnabled());
}
