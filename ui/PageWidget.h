// Hosts one property page: builds its dialog from the template, gives the
// page its view and passes the dialog's commands to the page.
#pragma once

#include <QWidget>
#include <memory>

#include "pages/PropertyPage.h"
#include "ui/DialogWidget.h"
#include "ui/QtDialogView.h"

namespace tb::ui {

class PageWidget : public QWidget {
    Q_OBJECT

  public:
    // `page` must outlive the widget; `sheet` is what the page's busy rule
    // switches off (see QtDialogView).
    PageWidget(pages::CPropertyPage& page, QWidget* sheet, QWidget* parent = nullptr);

    pages::CPropertyPage& Page() { return page_; }
    DialogWidget& Dialog() { return *dialog_; }
    QString Caption() const;

    // Called by the sheet each time the page becomes the selected tab; the
    // first call opens the page.
    void Activate();
    // Called when another tab is about to be shown.
    void Deactivate();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    pages::CPropertyPage& page_;
    DialogWidget* dialog_;
    std::unique_ptr<QtDialogView> view_;
    bool opened_ = false;
};

}  // namespace tb::ui
