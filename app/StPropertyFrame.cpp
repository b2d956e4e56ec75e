#include "app/StPropertyFrame.h"

#include <exception>

namespace tb::app {

CStPropertyFrame::CStPropertyFrame(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("Trimbench"));
}

bool CStPropertyFrame::Create(SheetPages pages, int languageNumber) {
    try {
        sheet_ = new CPropSheet(std::move(pages), languageNumber, this);
    } catch (const std::exception&) {
        sheet_ = nullptr;
        return false;
    }
    const QSize size = sheet_->FittingSize();
    sheet_->setGeometry(0, 0, size.width(), size.height());
    setFixedSize(size);
    sheet_->show();
    return true;
}

}  // namespace tb::app
