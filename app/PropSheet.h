// The property sheet: one tab per model page, and the settings tab when the
// language number is not 0. All page objects live as long as the sheet.
#pragma once

#include <QTabWidget>
#include <vector>

#include "app/SheetPages.h"
#include "ui/PageWidget.h"

namespace tb::app {

class CPropSheet : public QTabWidget {
    Q_OBJECT

  public:
    CPropSheet(SheetPages pages, int languageNumber, QWidget* parent = nullptr);

    // The hosted page widgets, in tab order.
    const std::vector<ui::PageWidget*>& PageWidgets() const { return widgets_; }
    // Selects tab `index` and opens its page.
    void SelectPage(int index);
    // The size the sheet needs to show its largest page whole.
    QSize FittingSize() const;

  private:
    void AddPage(pages::CPropertyPage& page);
    void OnCurrentChanged(int index);

    SheetPages pages_;
    std::vector<ui::PageWidget*> widgets_;
    int activeIndex_ = -1;
};

}  // namespace tb::app
