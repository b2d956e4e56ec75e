// The direct-USB pages in real widgets: their tab control, the history
// lists, the CO2 group's empty place and the Escape key.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDialog>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <filesystem>

#include "tests/support/ScriptedMessageBoxes.h"
#include "pages/lgr87x/PageLgr870.h"
#include "pages/lgr87x/PageLgr875.h"
#include "resources/dialogs/Lgr87xDialogIds.h"
#include "tests/ui/QtTestApp.h"
#include "ui/PageWidget.h"

using namespace tb::resources::lgr87x_ids;

namespace {

// A page in a dialog of its own, as the sheet holds it; no logger is attached.
class DirectUsbDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        tb::testing::EnsureQtApp();
        settings_ = std::filesystem::temp_directory_path() /
                    ("tb-ui-87x-" + std::to_string(getpid()) + ".ini");
        setenv("TRIMBENCH_SETTINGS_FILE", settings_.c_str(), 1);
        setenv("TRIMBENCH_DEVICE_MAP", (settings_.string() + ".map").c_str(), 1);
    }
    void TearDown() override { std::filesystem::remove(settings_); }

    tb::ui::PageWidget& Host(tb::pages::CPropertyPage& page) {
        dialog_ = std::make_unique<QDialog>();
        auto* layout = new QVBoxLayout(dialog_.get());
        widget_ = new tb::ui::PageWidget(page, nullptr, dialog_.get());
        layout->addWidget(widget_);
        dialog_->show();
        widget_->Activate();
        QApplication::processEvents();
        return *widget_;
    }
    QWidget* Control(int id) { return widget_->Dialog().Control(id); }
    QTabBar* Tabs() { return qobject_cast<QTabBar*>(Control(kTabs)); }

    std::filesystem::path settings_;
    tb::services::ScriptedMessageBoxes boxes_;
    std::unique_ptr<QDialog> dialog_;
    tb::ui::PageWidget* widget_ = nullptr;
};

TEST_F(DirectUsbDialog, TabsSwitchTheControlsAndTheHistoryListsAreListViews) {
    tb::pages::lgr87x::CPageLgr870 page;
    Host(page);
    ASSERT_NE(Tabs(), nullptr);
    ASSERT_EQ(Tabs()->count(), 2);
    EXPECT_EQ(Tabs()->tabText(1), QString::fromUtf8("温度・湿度センサ"));
    EXPECT_EQ(Control(kTabs)->accessibleDescription(), "1183");
    for (int id : {kHistory870IU, kHistoryTH}) {
        auto* list = qobject_cast<QTreeWidget*>(Control(id));
        ASSERT_NE(list, nullptr) << id;
        EXPECT_EQ(list->accessibleDescription(), QString::number(id));
    }
    EXPECT_TRUE(Control(kCheck[0])->isVisible());
    EXPECT_FALSE(Control(kCheck[2])->isVisible());
    EXPECT_FALSE(Control(kAfter1[0])->isEnabled());
    EXPECT_EQ(qobject_cast<QLineEdit*>(Control(kAfter1[0]))->text(), "0.0");

    QTest::mouseClick(Tabs(), Qt::LeftButton, {}, Tabs()->tabRect(1).center());
    EXPECT_EQ(Tabs()->currentIndex(), 1);
    EXPECT_TRUE(Control(kCheck[2])->isVisible());
    EXPECT_TRUE(Control(kHistoryTH)->isVisible());
    EXPECT_FALSE(Control(kCheck[0])->isVisible());
    EXPECT_FALSE(Control(kHistory870IU)->isVisible());
    EXPECT_TRUE(Control(kSend)->isVisible());
}

TEST_F(DirectUsbDialog, Co2GroupNeverShowsItsSecondPlace) {
    tb::pages::lgr87x::CPageLgr875 page;
    Host(page);
    for (int tab : {1, 0}) {
        QTest::mouseClick(Tabs(), Qt::LeftButton, {}, Tabs()->tabRect(tab).center());
        for (int id : {kGroup2, kCheck[1], kBefore1[1], kCurrent875Hidden}) {
            EXPECT_FALSE(Control(id)->isVisible()) << tab << ": " << id;
        }
    }
    EXPECT_TRUE(Control(kCheck[0])->isVisible());
    EXPECT_TRUE(Control(kHistory875Co2)->isVisible());
}

TEST_F(DirectUsbDialog, EscapeDoesNotCloseTheWindowBehindThePage) {
    tb::pages::lgr87x::CPageLgr870 page;
    Host(page);
    QTest::mouseClick(Control(kCheck[0]), Qt::LeftButton);
    QWidget* edit = Control(kBefore1[0]);
    ASSERT_TRUE(edit->isEnabled());
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_TRUE(dialog_->isVisible());
}

}  // namespace
