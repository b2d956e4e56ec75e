// The main dialog: the program's only top-level window. It holds the frame
// with the property sheet and, when kStrAboutMenu has a text, the entry that
// opens the about box.
#pragma once

#include <QDialog>
#include <optional>

#include "journal/JournalLocation.h"

#include "app/SheetPages.h"
#include "app/StPropertyFrame.h"

class QMenuBar;

namespace tb::ui {
class JournalWindow;
}

namespace tb::app {

class CTrimbenchDlg : public QDialog {
    Q_OBJECT

  public:
    // With a journal location the menu bar holds the entry that opens the
    // journal window.
    CTrimbenchDlg(SheetPages pages, int languageNumber, QWidget* parent = nullptr,
                  std::optional<journal::JournalLocation> journal = std::nullopt);
    ~CTrimbenchDlg() override;

    // Nullptr when the frame could not be created (the dialog stays empty).
    CStPropertyFrame* Frame() const { return frame_; }
    CPropSheet* Sheet() const { return frame_ != nullptr ? frame_->Sheet() : nullptr; }
    // The about entry, or nullptr when kStrAboutMenu is empty.
    QAction* AboutAction() const { return aboutAction_; }

    void ShowAboutBox();
    // The journal entry, or nullptr without a journal.
    QAction* JournalAction() const { return journalAction_; }
    // Opens (or raises) the journal window; nullptr without a journal.
    ui::JournalWindow* ShowJournalWindow();

  public slots:
    void reject() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void AddAboutEntry();
    void AddJournalEntry();
    void CreateFrame(SheetPages pages, int languageNumber);
    void FitToFrame();
    // True while a page operation runs (the sheet is switched off then).
    bool OperationRunning() const;

    QMenuBar* menuBar_ = nullptr;
    QAction* aboutAction_ = nullptr;
    QAction* journalAction_ = nullptr;
    std::optional<journal::JournalLocation> journal_;
    ui::JournalWindow* journalWindow_ = nullptr;
    CStPropertyFrame* frame_ = nullptr;
};

}  // namespace tb::app
