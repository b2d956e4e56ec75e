#include "app/TrimbenchDlg.h"

#include <QCloseEvent>
#include <QMenuBar>

#include "app/AboutDlg.h"
#include "resources/StringIds.h"
#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/DialogTemplate.h"
#include "services/PageServices.h"
#include "services/StringOverride.h"
#include "ui/JournalWindow.h"
#include "ui/ProgramIcon.h"

namespace tb::app {

CTrimbenchDlg::CTrimbenchDlg(SheetPages pages, int languageNumber, QWidget* parent,
                             std::optional<journal::JournalLocation> journal)
    : QDialog(parent), journal_(std::move(journal)) {
    const resources::DialogTemplate* dialog = resources::FindDialogTemplate(resources::kDialogMain);
    setWindowTitle(QString::fromStdString(services::TemplateText(dialog->caption)));
    setAccessibleName(windowTitle());
    setWindowIcon(ui::ProgramIcon());
    AddAboutEntry();
    AddJournalEntry();
    CreateFrame(std::move(pages), languageNumber);
    FitToFrame();
    if (Sheet() != nullptr) Sheet()->SelectPage(0);
}

// There is no system menu on this desktop; the entry sits in the window's
// own menu bar, where a user looks for it.
void CTrimbenchDlg::AddAboutEntry() {
    const std::string text = services::LoadResString(resources::strings::kStrAboutMenu);
    if (text.empty()) return;
    menuBar_ = new QMenuBar(this);
    aboutAction_ = menuBar_->addAction(QString::fromStdString(text));
    connect(aboutAction_, &QAction::triggered, this, &CTrimbenchDlg::ShowAboutBox);
}

CTrimbenchDlg::~CTrimbenchDlg() = default;

void CTrimbenchDlg::AddJournalEntry() {
    if (!journal_) return;
    if (menuBar_ == nullptr) menuBar_ = new QMenuBar(this);
    journalAction_ = menuBar_->addAction(
        QString::fromStdString(services::LoadResString(resources::strings::kStrJournalMenu)));
    connect(journalAction_, &QAction::triggered, this, [this] { ShowJournalWindow(); });
}

ui::JournalWindow* CTrimbenchDlg::ShowJournalWindow() {
    if (!journal_) return nullptr;
    if (journalWindow_ == nullptr) journalWindow_ = new ui::JournalWindow(*journal_, this);
    journalWindow_->show();
    journalWindow_->raise();
    journalWindow_->activateWindow();
    return journalWindow_;
}

void CTrimbenchDlg::CreateFrame(SheetPages pages, int languageNumber) {
    frame_ = new CStPropertyFrame(this);
    if (!frame_->Create(std::move(pages), languageNumber)) {
        delete frame_;
        frame_ = nullptr;
    }
}

// The frame's client area fits exactly below the menu bar.
void CTrimbenchDlg::FitToFrame() {
    const int top = menuBar_ != nullptr ? menuBar_->sizeHint().height() : 0;
    const QSize frameSize = frame_ != nullptr ? frame_->size() : QSize(0, 0);
    const int width =
        std::max(frameSize.width(), menuBar_ != nullptr ? menuBar_->sizeHint().width() : 0);
    if (menuBar_ != nullptr) menuBar_->setGeometry(0, 0, width, top);
    if (frame_ != nullptr) {
        frame_->move(0, top);
        frame_->show();
    }
    setFixedSize(width, top + frameSize.height());
    move(0, 0);
}

void CTrimbenchDlg::ShowAboutBox() {
    CAboutDlg about(this);
    about.exec();
}

bool CTrimbenchDlg::OperationRunning() const { return Sheet() != nullptr && !Sheet()->isEnabled(); }

// Escape or the close box end the dialog, except while a page operation
// talks to a logger: the window stays until the operation is over.
void CTrimbenchDlg::reject() {
    if (OperationRunning()) return;
    QDialog::reject();
}

void CTrimbenchDlg::closeEvent(QCloseEvent* event) {
    if (OperationRunning()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

}  // namespace tb::app
