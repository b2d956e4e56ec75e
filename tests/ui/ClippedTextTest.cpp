// Every page of the sheet, in Japanese and in English, built as the window
// builds it (offscreen, the fonts scripts/install-deps.sh installs): no
// label, check box, radio button, push button or group title is cut off by
// its control's edge.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <string>
#include <vector>

#include "app/TrimbenchApp.h"
#include "app/TrimbenchDlg.h"
#include "tests/ui/QtTestApp.h"
#include "ui/DialogWidget.h"

using tb::app::CTrimbenchApp;
using tb::app::CTrimbenchDlg;

namespace {

// The size the text needs beside the room the control gives it.
struct Fit {
    QSize needed;
    QSize room;
    bool Fits() const { return needed.width() <= room.width() && needed.height() <= room.height(); }
};

Fit LabelFit(const QLabel& label) {
    const QRect room = label.contentsRect().adjusted(label.margin(), label.margin(),
                                                     -label.margin(), -label.margin());
    const int flags =
        static_cast<int>(label.alignment()) | (label.wordWrap() ? Qt::TextWordWrap : 0);
    const QRect needed =
        label.fontMetrics().boundingRect(QRect(0, 0, room.width(), 1 << 16), flags, label.text());
    return {needed.size(), room.size()};
}

Fit PushButtonFit(const QPushButton& button) {
    // The style's frame and margin on each side of the text.
    QStyleOptionButton option;
    option.initFrom(&button);
    const QStyle& style = *button.style();
    const int frame = style.pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &button);
    const int margin = style.pixelMetric(QStyle::PM_ButtonMargin, &option, &button);
    QString text = button.text();
    text.remove(QLatin1Char('&'));
    const QSize textSize = button.fontMetrics().size(Qt::TextShowMnemonic, text);
    return {textSize + QSize(2 * frame + margin, 2 * frame), button.size()};
}

// Check boxes and radio buttons: the indicator, its spacing and the text
// across, one line of text high (the style's hint adds a focus margin
// around the line that the control may cut without cutting the text).
Fit IndicatorButtonFit(const QAbstractButton& button) {
    return {QSize(button.sizeHint().width(), button.fontMetrics().height()), button.size()};
}

// Group boxes without a layout: the title alone makes the minimum size.
Fit GroupTitleFit(const QGroupBox& group) {
    return {QSize(group.minimumSizeHint().width(), 0), group.size()};
}

std::vector<std::string> ClippedTexts(const tb::ui::DialogWidget& page, const QString& pageName) {
    std::vector<std::string> clipped;
    auto check = [&](const QWidget& control, const QString& text, const Fit& fit) {
        if (text.isEmpty() || fit.Fits()) return;
        clipped.push_back(QStringLiteral("%1 / control %2 \"%3\": needs %4x%5, has %6x%7")
                              .arg(pageName, control.accessibleDescription(), text)
                              .arg(fit.needed.width())
                              .arg(fit.needed.height())
                              .arg(fit.room.width())
                              .arg(fit.room.height())
                              .toStdString());
    };
    for (const QObject* child : page.children()) {
        if (const auto* label = qobject_cast<const QLabel*>(child)) {
            check(*label, label->text(), LabelFit(*label));
        } else if (const auto* push = qobject_cast<const QPushButton*>(child)) {
            check(*push, push->text(), PushButtonFit(*push));
        } else if (qobject_cast<const QCheckBox*>(child) ||
                   qobject_cast<const QRadioButton*>(child)) {
            const auto& button = *static_cast<const QAbstractButton*>(child);
            check(button, button.text(), IndicatorButtonFit(button));
        } else if (const auto* group = qobject_cast<const QGroupBox*>(child)) {
            check(*group, group->title(), GroupTitleFit(*group));
        }
    }
    return clipped;
}

class ClippedText : public ::testing::TestWithParam<const char*> {
  protected:
    void SetUp() override {
        settingsFile_ =
            QDir::tempPath().toStdString() + "/tb-clipped-" + std::to_string(getpid()) + ".ini";
        std::remove(settingsFile_.c_str());
        setenv("TRIMBENCH_SETTINGS_FILE", settingsFile_.c_str(), 1);
    }
    void TearDown() override { std::remove(settingsFile_.c_str()); }

    std::string settingsFile_;
};

TEST_P(ClippedText, NoControlOnAnyPageCutsItsText) {
    CTrimbenchApp app(tb::testing::ProgramArgc(), tb::testing::ProgramArgv(), GetParam());
    app.InitInstance();
    CTrimbenchDlg dialog(tb::app::MakeStandardPages(), app.LanguageNumber());
    dialog.show();
    QApplication::processEvents();

    const auto& pages = dialog.Sheet()->PageWidgets();
    ASSERT_GE(pages.size(), 7u);  // every model page, and the settings page when it is shown
    std::vector<std::string> clipped;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const QString name = dialog.Sheet()->tabText(static_cast<int>(i)).trimmed();
        for (auto& line : ClippedTexts(pages[i]->Dialog(), name)) clipped.push_back(line);
    }
    EXPECT_EQ(clipped, std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Languages, ClippedText,
                         ::testing::Values("/nonexistent/Trimbench_800.so", TB_ENGLISH_LIBRARY),
                         [](const auto& info) {
                             return std::string(info.index == 0 ? "Japanese" : "English");
                         });

}  // namespace
