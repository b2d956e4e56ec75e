#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTreeWidget>

#include "tests/ui/QtTestApp.h"
#include "resources/dialogs/ControlMakers.h"
#include "ui/DialogWidget.h"
#include "ui/QtDialogView.h"

using tb::ui::DialogWidget;
using tb::ui::QtDialogView;

namespace {

QString SpokenName(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

class QtDialogViewTest : public ::testing::Test {
  protected:
    QtDialogViewTest()
        : app_(tb::testing::EnsureQtApp()),
          dialog_(new DialogWidget(*tb::resources::FindDialogTemplate(133))),
          view_(*dialog_, &sheet_) {
        sheet_.addTab(dialog_, dialog_->windowTitle());
    }

    QApplication& app_;
    QTabWidget sheet_;
    DialogWidget* dialog_;
    QtDialogView view_;
};

}  // namespace

TEST_F(QtDialogViewTest, BuildsEveryControlWithItsAccessibleNameAndIdAsDescription) {
    const std::pair<int, const char*> spoken[] = {
        {1021, "このチャンネルを調整する"},
        {1015, "１点調整"},
        {1130, "設定送信"},
        {1016, "調整前 1"},
        {1018, "調整後 1"},
        {1019, "調整前 2"},
        {1020, "調整後 2"},
    };
    for (const auto& [id, name] : spoken) {
        QWidget* control = dialog_->Control(id);
        ASSERT_NE(control, nullptr) << id;
        EXPECT_EQ(SpokenName(control), QString::fromUtf8(name)) << id;
    }
    for (int id : dialog_->ControlIds()) {
        EXPECT_EQ(dialog_->Control(id)->accessibleDescription(), QString::number(id)) << id;
    }
    EXPECT_EQ(qobject_cast<QLineEdit*>(dialog_->Control(1016))->maxLength(), 6);
    // A caption set at run time is what is announced.
    view_.SetText(1118, "℃");
    EXPECT_EQ(SpokenName(dialog_->Control(1118)), QStringLiteral("℃"));
    view_.SetText(1076, "現在の設定：y = 1.000x +0.250");
    EXPECT_EQ(SpokenName(dialog_->Control(1076)), QStringLiteral("現在の設定：y = 1.000x +0.250"));
}

TEST_F(QtDialogViewTest, TextsChecksAndRadioGroupsGoThroughIds) {
    view_.SetText(1016, "25.0");
    view_.SetText(1076, "現在の設定：y = 1.000x +0.000");
    EXPECT_EQ(view_.Text(1016), "25.0");
    EXPECT_EQ(view_.Text(1076), "現在の設定：y = 1.000x +0.000");
    EXPECT_EQ(view_.Text(1130), "設定送信");

    view_.SetText(1018, "1234567");  // the box keeps its limit whatever is set
    EXPECT_EQ(view_.Text(1018), "123456");

    EXPECT_EQ(view_.RadioIndex(1015), -1);
    view_.SetRadioIndex(1015, 1);
    EXPECT_EQ(view_.RadioIndex(1015), 1);
    EXPECT_TRUE(view_.IsChecked(1026));
    view_.SetRadioIndex(1015, 0);
    EXPECT_FALSE(view_.IsChecked(1026));
    EXPECT_EQ(view_.RadioIndex(1015), 0);

    view_.SetCheck(1021, true);
    EXPECT_TRUE(view_.IsChecked(1021));
    EXPECT_EQ(view_.Text(9999), "");
}

TEST_F(QtDialogViewTest, ControlStateIsItsOwnWhileTheSheetIsSwitchedOff) {
    view_.Enable(1019, false);
    view_.EnableSheet(false);
    EXPECT_FALSE(view_.IsSheetEnabled());
    EXPECT_FALSE(sheet_.isEnabled());
    EXPECT_TRUE(view_.IsEnabled(1016));
    EXPECT_FALSE(view_.IsEnabled(1019));
    EXPECT_FALSE(dialog_->Control(1016)->isEnabled());  // nothing can be clicked
    view_.EnableSheet(true);
    EXPECT_TRUE(dialog_->Control(1016)->isEnabled());
    EXPECT_FALSE(dialog_->Control(1019)->isEnabled());

    view_.Show(1076, false);
    EXPECT_FALSE(view_.IsVisible(1076));
    view_.Show(1076, true);
    EXPECT_TRUE(view_.IsVisible(1076));
}

TEST_F(QtDialogViewTest, ClicksOnButtonsReportTheirIds) {
    std::vector<int> commands;
    QObject::connect(dialog_, &DialogWidget::commandIssued,
                     [&](int id) { commands.push_back(id); });
    qobject_cast<QAbstractButton*>(dialog_->Control(1021))->click();
    qobject_cast<QAbstractButton*>(dialog_->Control(1026))->click();
    qobject_cast<QAbstractButton*>(dialog_->Control(1130))->click();
    EXPECT_EQ(commands, (std::vector<int>{1021, 1026, 1130}));
    EXPECT_TRUE(view_.IsChecked(1021));
    EXPECT_EQ(view_.RadioIndex(1015), 1);

    // An assistive technology toggles; the program's own changes are quiet.
    commands.clear();
    qobject_cast<QAbstractButton*>(dialog_->Control(1021))->toggle();
    qobject_cast<QAbstractButton*>(dialog_->Control(1015))->toggle();
    view_.SetCheck(1021, true);
    view_.SetRadioIndex(1015, 1);
    EXPECT_EQ(commands, (std::vector<int>{1021, 1015}));
}

TEST_F(QtDialogViewTest, FocusAndSelectSelectsTheWholeText) {
    sheet_.show();
    view_.SetText(1019, "12a");
    view_.FocusAndSelect(1019);
    auto* edit = qobject_cast<QLineEdit*>(dialog_->Control(1019));
    EXPECT_EQ(edit->selectedText(), QStringLiteral("12a"));
    EXPECT_TRUE(edit->hasFocus() || QApplication::focusWidget() == nullptr);
}

// The history lists: columns replaced as a whole, rows kept, and what the
// view reads back is what an assistive tool finds in the widget.
TEST(QtDialogViewList, ColumnsAndRowsOfAListView) {
    tb::testing::EnsureQtApp();
    const tb::resources::ControlTemplate controls[] = {
        tb::resources::make::List(1162, "a|b", {0, 0, 400, 100}, "History")};
    const tb::resources::DialogTemplate dialogTemplate{9001, "list", 420, 120, controls};
    DialogWidget dialog(dialogTemplate);
    QtDialogView view(dialog, nullptr);
    ASSERT_EQ(view.Columns(1162).size(), 2u);

    view.AddRow(1162, {"1", "2024-05-06 07:08:09"});
    const std::vector<tb::pages::ListColumn> columns = {{" ", 16}, {"日時", 130}, {"Ch.", 32}};
    view.SetColumns(1162, columns);
    EXPECT_EQ(view.Columns(1162), columns);
    EXPECT_EQ(view.Rows(1162).size(), 1u) << "columns leave the rows alone";
    auto* list = qobject_cast<QTreeWidget*>(dialog.Control(1162));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->headerItem()->text(1), QStringLiteral("日時"));

    view.SetColumns(1162, {{"", 360}});
    view.ClearRows(1162);
    view.AddRow(1162, {"アジャストメント履歴の取得に失敗しました。"});
    EXPECT_EQ(view.Columns(1162), (std::vector<tb::pages::ListColumn>{{"", 360}}));
    EXPECT_EQ(view.Rows(1162),
              (std::vector<std::vector<std::string>>{{"アジャストメント履歴の取得に失敗しました。"}}));
}
