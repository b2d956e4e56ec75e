#include "app/SheetPages.h"
#include "pages/ModelCatalogue.h"

namespace tb::app {

SheetPages MakeStandardPages() {
    SheetPages sheet;
    for (const pages::ModelRow& row : pages::Models())
        if (pages::FirstOfItsPage(row)) sheet.models.push_back(row.makePage().page);
    sheet.settings = std::make_unique<CPageSettings>();
    return sheet;
}

}  // namespace tb::app
