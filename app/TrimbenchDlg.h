// The main dialog: the program's only top-level window. It holds the frame
// with the property sheet and, when message 108 has a text, the entry that
// opens the about box.
#pragma once

#include <QDialog>

#include "app/SheetPages.h"
#include "app/StPropertyFrame.h"

class QMenuBar;

namespace tb::app {

inline constexpr int kAboutMenuText = 108;

class CTrimbenchDlg : public QDialog {
    Q_OBJECT

  public:
    CTrimbenchDlg(SheetPages pages, int languageNumber, QWidget* parent = nullptr);

    // Nullptr when the frame could not be created (the dialog stays empty).
    CStPropertyFrame* Frame() const { return frame_; }
    CPropSheet* Sheet() const { return frame_ != nullptr ? frame_->Sheet() : nullptr; }
    // The about entry, or nullptr when message 108 is empty.
    QAction* AboutAction() const { return aboutAction_; }

    void ShowAboutBox();

  public slots:
    void reject() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void AddAboutEntry();
    void CreateFrame(SheetPages pages, int languageNumber);
    void FitToFrame();
    // True while a page operation runs (the sheet is switched off then).
    bool OperationRunning() const;

    QMenuBar* menuBar_ = nullptr;
    QAction* aboutAction_ = nullptr;
    CStPropertyFrame* frame_ = nullptr;
};

}  // namespace tb::app
