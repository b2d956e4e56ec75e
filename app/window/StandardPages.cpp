#include "app/window/EmptyPage.h"
#include "app/window/SheetPages.h"
#include "resources/dialogs/DialogIds.h"

namespace tb::app {

SheetPages MakeStandardPages() {
    namespace ids = resources;
    SheetPages pages;
    pages.models.push_back(std::make_unique<CEmptyPage>(ids::kDialogLgr820));
    pages.models.push_back(std::make_unique<CEmptyPage>(ids::kDialogLgr830));
    pages.models.push_back(std::make_unique<CEmptyPage>(ids::kDialogLgr870));
    pages.models.push_back(std::make_unique<CEmptyPage>(ids::kDialogLgr850));
    pages.models.push_back(std::make_unique<CEmptyPage>(ids::kDialogLgr875));
    pages.models.push_back(std::make_unique<CEmptyPage>(ids::kDialogLgr835));
    pages.models.push_back(std::make_unique<CEmptyPage>(ids::kDialogLgr890));
    pages.settings = std::make_unique<CPageSettings>();
    return pages;
}

}  // namespace tb::app
