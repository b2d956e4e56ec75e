#include "app/window/PropSheet.h"

namespace tb::app {

CPropSheet::CPropSheet(SheetPages pages, int languageNumber, QWidget* parent)
    : QTabWidget(parent), pages_(std::move(pages)) {
    setAccessibleName(QString());
    setDocumentMode(false);
    for (const auto& page : pages_.models) AddPage(*page);
    if (languageNumber != 0) AddPage(*pages_.settings);
    connect(this, &QTabWidget::currentChanged, this, &CPropSheet::OnCurrentChanged);
}

void CPropSheet::AddPage(pages::CPropertyPage& page) {
    auto* widget = new ui::PageWidget(page, this);
    widgets_.push_back(widget);
    addTab(widget, widget->Caption());
}

void CPropSheet::SelectPage(int index) {
    if (index == currentIndex()) {
        OnCurrentChanged(index);
    } else {
        setCurrentIndex(index);
    }
}

void CPropSheet::OnCurrentChanged(int index) {
    if (index >= 0 && index < static_cast<int>(widgets_.size())) widgets_[index]->Activate();
}

QSize CPropSheet::FittingSize() const { return sizeHint().expandedTo(minimumSizeHint()); }

}  // namespace tb::app
