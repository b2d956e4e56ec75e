// Trimbench2's window on the windows platform (Wine under Xvfb): every tab
// of the sheet shown in turn, in Japanese and in English, and a picture of
// the screen taken of each, into <artefacts>/windows/<language>/ for a
// person to look at. The clipped-text check runs in the same program.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QThread>
#include <cstdio>

#include "app/PropSheet.h"
#include "app/TrimbenchApp.h"
#include "app/TrimbenchDlg.h"
#include "tests/ui/QtTestApp.h"

using tb::app::CTrimbenchApp;
using tb::app::CTrimbenchDlg;

namespace {

void Settle(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
}

// A picture with more than one colour in it: something was drawn.
bool HasContent(const QImage& image) {
    if (image.isNull()) return false;
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7)
            if (image.pixel(x, y) != first) return true;
    return false;
}

class WindowTour : public ::testing::TestWithParam<const char*> {};

TEST_P(WindowTour, EveryTabIsShownAndPictured) {
    const std::string settings = QDir::tempPath().toStdString() + "/tb-tour.ini";
    std::remove(settings.c_str());
    setenv("TRIMBENCH_SETTINGS_FILE", settings.c_str(), 1);
    const bool english = std::string(GetParam()) != "ja";
    CTrimbenchApp app(tb::testing::ProgramArgc(), tb::testing::ProgramArgv(),
                      english ? TB_ENGLISH_LIBRARY : "/nonexistent/Trimbench_800.dll");
    app.InitInstance();
    EXPECT_EQ(QGuiApplication::platformName(), QStringLiteral("windows"));
    CTrimbenchDlg dialog(tb::app::MakeStandardPages(), app.LanguageNumber());
    dialog.move(20, 20);
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
    Settle(1500);

    const QString folder =
        QStringLiteral(TB_ARTEFACT_DIR "/windows/") + QString::fromLatin1(GetParam());
    QDir().mkpath(folder);
    auto* sheet = dialog.Sheet();
    ASSERT_GE(sheet->count(), 7);
    for (int i = 0; i < sheet->count(); ++i) {
        sheet->setCurrentIndex(i);
        Settle(600);
        const QImage picture = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
        const QString name =
            QStringLiteral("%1/%2.png").arg(folder).arg(i + 1, 2, 10, QLatin1Char('0'));
        EXPECT_TRUE(HasContent(picture)) << sheet->tabText(i).toStdString();
        EXPECT_TRUE(picture.save(name)) << name.toStdString();
        std::printf("tab %d \"%s\": %s\n", i + 1, sheet->tabText(i).toUtf8().constData(),
                    name.toUtf8().constData());
    }
    dialog.close();
    std::remove(settings.c_str());
}

INSTANTIATE_TEST_SUITE_P(Languages, WindowTour, ::testing::Values("ja", "en"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
