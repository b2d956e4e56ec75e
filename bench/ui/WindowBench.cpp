// Figures of the window: time from start to the first painted window
// (offscreen), resident memory after start, and how often a 50 ms timer
// fires while a send waits 3000 ms for the device.
#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "services/PageServices.h"
#include "tests/support/ScriptedMessageBoxes.h"
#include "tests/support/EmptyPage.h"
#include "app/TrimbenchDlg.h"
#include "pages/PageLgr820.h"
#include "resources/dialogs/DialogIds.h"
#include "ui/QtPumpHook.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr uint32_t kDeviceWaitMs = 3000;

// A logger that answers at once but, like a slow write, waits 3000 ms
// (pumping the window) before it reports success.
class SlowWriteLogger final : public tb::pages::BaseUnitLogger {
  public:
    bool IsConnected() override { return true; }
    bool Read(std::span<tb::pages::Correction> current) override {
        for (auto& channel : current) channel = {1.0, 0.0};
        return true;
    }
    bool Write(std::span<const tb::pages::Correction>) override {
        tb::services::PumpWait(kDeviceWaitMs);
        return true;
    }
    tb::pages::CodeFit Fits(const tb::pages::Correction&) const override {
        return tb::pages::CodeFit::Fits;
    }
};

tb::app::SheetPages BenchPages() {
    namespace ids = tb::resources;
    tb::app::SheetPages pages;
    pages.models.push_back(
        std::make_unique<tb::pages::CPageLgr820>(std::make_unique<SlowWriteLogger>()));
    for (int id : {ids::kDialogLgr830, ids::kDialogLgr870, ids::kDialogLgr850, ids::kDialogLgr875,
                   ids::kDialogLgr835, ids::kDialogLgr890}) {
        pages.models.push_back(std::make_unique<tb::app::CEmptyPage>(id));
    }
    pages.settings = std::make_unique<tb::app::CPageSettings>();
    return pages;
}

class FirstPaint : public QObject {
  public:
    bool painted = false;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted = true;
        return QObject::eventFilter(watched, event);
    }
};

long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    }
    return -1;
}

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

}  // namespace

int main(int argc, char** argv) {
    const auto start = Clock::now();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tb::ui::ScopedQtPumpHook pump;
    tb::services::ScriptedMessageBoxes boxes;
    boxes.SetDefaultAnswer(tb::services::MsgAnswer::Yes);

    tb::app::CTrimbenchDlg dialog(BenchPages(), 0);
    FirstPaint paint;
    dialog.Sheet()->PageWidgets()[0]->Dialog().installEventFilter(&paint);
    dialog.show();
    while (!paint.painted) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const auto painted = Clock::now();
    std::printf("start to first painted window (offscreen): %.1f ms (target < 300 ms)\n",
                Ms(painted - start));
    std::printf("resident memory after start: %.1f MiB\n", ResidentKiB() / 1024.0);

    auto& page = dialog.Sheet()->PageWidgets()[0]->Dialog();
    qobject_cast<QAbstractButton*>(page.Control(1021))->click();
    qobject_cast<QLineEdit*>(page.Control(1016))->setText(QStringLiteral("25.0"));
    qobject_cast<QLineEdit*>(page.Control(1018))->setText(QStringLiteral("25.3"));
    int ticks = 0;
    QTimer timer;
    timer.setInterval(50);
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start();
    QElapsedTimer elapsed;
    elapsed.start();
    qobject_cast<QAbstractButton*>(page.Control(1130))->click();
    const qint64 sendMs = elapsed.elapsed();
    timer.stop();
    std::printf(
        "50 ms timer ticks during a %u ms wait inside a send: %d (ideal %u, target >= 50); "
        "send took %lld ms\n",
        kDeviceWaitMs, ticks, kDeviceWaitMs / 50, static_cast<long long>(sendMs));
    return 0;
}
