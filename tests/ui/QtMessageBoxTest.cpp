#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "tests/ui/QtTestApp.h"
#include "ui/QtMessageBoxBackend.h"

using tb::services::MsgAnswer;
using tb::services::MsgButtons;
using tb::services::MsgIcon;

namespace {

// Acts on the next message box as soon as it is open; records what it saw.
struct BoxSeen {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
};

void ActOnNextBox(BoxSeen& seen, const QString& press) {
    QTimer::singleShot(0, [&seen, press] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = {box->windowTitle(), box->text(), box->icon(), {}};
        for (QAbstractButton* button : box->buttons()) {
            seen.buttons << button->text();
            if (button->text() == press) button->click();
        }
        if (press.isEmpty()) box->reject();  // the close box / Escape
    });
}

}  // namespace

TEST(QtMessageBoxes, QuestionsShowTitleTextIconAndJapaneseButtons) {
    tb::testing::EnsureQtApp();
    tb::ui::ScopedQtMessageBoxes boxes;
    BoxSeen seen;
    ActOnNextBox(seen, QStringLiteral("はい(&Y)"));
    EXPECT_EQ(tb::services::ShowMessage("送信してよろしいですか？", MsgButtons::YesNo),
              MsgAnswer::Yes);
    EXPECT_EQ(seen.title, QStringLiteral("Trimbench2"));
    EXPECT_EQ(seen.text, QStringLiteral("送信してよろしいですか？"));
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(seen.buttons.size(), 2);

    ActOnNextBox(seen, QString());
    EXPECT_EQ(tb::services::ShowMessage("x", MsgButtons::YesNo), MsgAnswer::No);
}

TEST(QtMessageBoxes, OkBoxesCarryTheirIcon) {
    tb::testing::EnsureQtApp();
    tb::ui::ScopedQtMessageBoxes boxes;
    BoxSeen seen;
    ActOnNextBox(seen, QStringLiteral("OK"));
    EXPECT_EQ(tb::services::ShowMessage("a", MsgButtons::Ok), MsgAnswer::Ok);
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    ActOnNextBox(seen, QStringLiteral("OK"));
    tb::services::ShowMessage("b", MsgButtons::Ok, MsgIcon::Information);
    EXPECT_EQ(seen.icon, QMessageBox::Information);
    EXPECT_EQ(seen.buttons, QStringList{QStringLiteral("OK")});
}
