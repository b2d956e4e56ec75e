#include "app/window/EmptyPage.h"
#include "app/window/SheetPages.h"
#include "pages/ClientBaseUnitLogger.h"
#include "pages/PageLgr820.h"
#include "pages/PageLgr850.h"
#include "pages/PageLgr890.h"
#include "pages/TempHumidityPage.h"
#include "resources/dialogs/DialogIds.h"

namespace tb::app {

SheetPages MakeStandardPages() {
    namespace ids = resources;
    SheetPages sheet;
    sheet.models.push_back(std::make_unique<pages::CPageLgr820>(pages::MakeBaseUnitLogger()));
    sheet.models.push_back(std::make_unique<pages::CPageLgr830>(pages::MakeLgr830Logger()));
    sheet.models.push_back(std::make_unique<CEmptyPage>(ids::kDialogLgr870));
    sheet.models.push_back(std::make_unique<pages::CPageLgr850>(pages::MakeMultiInputLogger));
    sheet.models.push_back(std::make_unique<CEmptyPage>(ids::kDialogLgr875));
    sheet.models.push_back(std::make_unique<pages::CPageLgr835>(pages::MakeLgr835Logger()));
    sheet.models.push_back(std::make_unique<pages::CPageLgr890>(pages::MakeLgr890CableLogger()));
    sheet.settings = std::make_unique<CPageSettings>();
    return sheet;
}

}  // namespace tb::app
