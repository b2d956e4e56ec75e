#include "app/SheetPages.h"
#include "pages/ModelPages.h"

namespace tb::app {

SheetPages MakeStandardPages() {
    SheetPages sheet;
    for (const pages::ModelRow& row : pages::Models())
        if (pages::FirstOfItsPage(row)) sheet.models.push_back(pages::MakePage(row).page);
    sheet.settings = std::make_unique<CPageSettings>();
    return sheet;
}

}  // namespace tb::app
