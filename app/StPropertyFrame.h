// The borderless frame inside the main dialog that holds the sheet; its
// client area is exactly the sheet's size.
#pragma once

#include <QWidget>

#include "app/PropSheet.h"

namespace tb::app {

class CStPropertyFrame : public QWidget {
    Q_OBJECT

  public:
    explicit CStPropertyFrame(QWidget* parent);

    // Builds the sheet with its pages and fits the frame around it; false
    // (and no sheet) when a page cannot be built.
    bool Create(SheetPages pages, int languageNumber);
    CPropSheet* Sheet() const { return sheet_; }

  private:
    CPropSheet* sheet_ = nullptr;
};

}  // namespace tb::app
