#include "ui/HelpWindow.h"

#include <QFileInfo>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/ProgramIcon.h"

namespace tb::ui {
namespace {

QPointer<HelpWindow>& TheHelpWindow() {
    static QPointer<HelpWindow> window;
    return window;
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("Trimbench2"));
    setWindowIcon(ProgramIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    browser_ = new QTextBrowser(this);
    browser_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(760, 640);
}

bool HelpWindow::Open(const std::string& path) {
    const QFileInfo file(QString::fromStdString(path));
    if (!file.isFile() || !file.isReadable()) return false;
    browser_->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    if (browser_->document()->isEmpty()) return false;
    setWindowTitle(browser_->documentTitle().isEmpty() ? QStringLiteral("Trimbench2")
                                                       : browser_->documentTitle());
    return true;
}

bool OpenInHelpWindow(const std::string& path) {
    QPointer<HelpWindow>& window = TheHelpWindow();
    if (window.isNull()) window = new HelpWindow();
    if (!window->Open(path)) return false;
    window->show();
    window->raise();
    window->activateWindow();
    return true;
}

HelpWindow* CurrentHelpWindow() { return TheHelpWindow().data(); }

}  // namespace tb::ui
