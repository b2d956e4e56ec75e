#include "app/PropSheet.h"

#include <QTabBar>
#include <algorithm>

namespace tb::app {

CPropSheet::CPropSheet(SheetPages pages, int languageNumber, QWidget* parent)
    : QTabWidget(parent), pages_(std::move(pages)) {
    setUsesScrollButtons(false);
    tabBar()->setElideMode(Qt::ElideNone);
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

// The page being left keeps what was typed into it; the new one is shown.
void CPropSheet::OnCurrentChanged(int index) {
    if (activeIndex_ >= 0 && activeIndex_ != index) {
        widgets_[static_cast<std::size_t>(activeIndex_)]->Deactivate();
    }
    activeIndex_ = index;
    if (index >= 0 && index < static_cast<int>(widgets_.size())) {
        widgets_[static_cast<std::size_t>(index)]->Activate();
    }
}

// Every tab stays in view: the sheet is at least as wide as its tab row.
QSize CPropSheet::FittingSize() const {
    QSize size = sizeHint().expandedTo(minimumSizeHint());
    size.setWidth(std::max(size.width(), tabBar()->sizeHint().width() + 4));
    return size;
}

}  // namespace tb::app
