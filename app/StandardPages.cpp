#include "app/SheetPages.h"
#include "pages/ClientBaseUnitLogger.h"
#include "pages/PageLgr820.h"
#include "pages/PageLgr850.h"
#include "pages/PageLgr890.h"
#include "pages/TempHumidityPage.h"
#include "pages/lgr87x/PageLgr870.h"
#include "pages/lgr87x/PageLgr875.h"

namespace tb::app {

SheetPages MakeStandardPages() {
    SheetPages sheet;
    sheet.models.push_back(std::make_unique<pages::CPageLgr820>(pages::MakeBaseUnitLogger()));
    sheet.models.push_back(std::make_unique<pages::CPageLgr830>(pages::MakeLgr830Logger()));
    sheet.models.push_back(std::make_unique<pages::lgr87x::CPageLgr870>());
    sheet.models.push_back(std::make_unique<pages::CPageLgr850>(pages::MakeMultiInputLogger));
    sheet.models.push_back(std::make_unique<pages::lgr87x::CPageLgr875>());
    sheet.models.push_back(std::make_unique<pages::CPageLgr835>(pages::MakeLgr835Logger()));
    sheet.models.push_back(std::make_unique<pages::CPageLgr890>(pages::MakeLgr890CableLogger()));
    sheet.settings = std::make_unique<CPageSettings>();
    return sheet;
}

}  // namespace tb::app
