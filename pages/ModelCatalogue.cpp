#include "pages/ModelCatalogue.h"

#include <algorithm>
#include <array>

#include "client/BaseUnitDiscovery.h"
#include "client/CorrectionOperations.h"
#include "pages/ClientBaseUnitLogger.h"
#include "pages/PageLgr820.h"
#include "pages/PageLgr850.h"
#include "pages/PageLgr890.h"
#include "pages/TempHumidityPage.h"
#include "pages/lgr87x/PageLgr870.h"
#include "pages/lgr87x/PageLgr875.h"
#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/Lgr87xDialogIds.h"
#include "resources/dialogs/MultiInputIds.h"
#include "resources/dialogs/OneChannelIds.h"
#include "resources/dialogs/TempHumidityIds.h"

namespace tb::pages {
namespace {

namespace oc = resources::one_channel;
namespace th = resources::temp_humidity;
namespace mi = resources::multi_input;
namespace du = resources::lgr87x_ids;

template <typename Page>
ModelPage Made(std::unique_ptr<Page> page) {
    AdjustablePage* adjustable = page.get();
    return {std::move(page), adjustable};
}

template <typename Page, auto MakeLogger>
ModelPage MakeBaseUnitPage() {
    return Made(std::make_unique<Page>(MakeLogger()));
}
ModelPage MakePage850() { return Made(std::make_unique<CPageLgr850>(MakeMultiInputLogger)); }
template <typename Page>
ModelPage MakeDirectUsbPage() {
    return Made(std::make_unique<Page>());
}

template <int Kind>
bool AcceptsKind(int, std::span<const uint8_t, 64> settings) {
    return client::BaseUnitModelAccepts(Kind, settings);
}
bool AcceptsMultiInput(int inputKind, std::span<const uint8_t, 64> settings) {
    return client::MultiInputModelAccepts(inputKind, settings);
}

constexpr std::array<uint8_t, 2> kCodes820 = {0x40, 0x41};
constexpr std::array<uint8_t, 2> kCodes821 = {0x5C, 0x5D};

constexpr std::array<PairName, 2> kPairs870 = {{{"IU", 0}, {"TH", 1}}};
constexpr std::array<PairName, 2> kPairs875 = {{{"CO2", 0}, {"TH", 1}}};
constexpr std::array<int, 2> kHistory870 = {du::kHistory870IU, du::kHistoryTH};
constexpr std::array<int, 2> kHistory875 = {du::kHistory875Co2, du::kHistoryTH};

constexpr PageButtons kButtons{oc::kInitialise, oc::kSend, oc::kReceive};
static_assert(th::kSend == oc::kSend && mi::kSend == oc::kSend && du::kSend == oc::kSend);

constexpr std::array<InputKindName, 5> kMultiInputKinds = {{
    {"tc", "thermocouple", 0},
    {"pt", "Pt100/Pt1000", 1},
    {"ma", "4-20 mA", 2},
    {"v", "voltage", 3},
    {"noise", "noise/vibration", 4},
}};

using lgr87x::CPageLgr870;
using lgr87x::CPageLgr875;

const std::array<ModelRow, 8> kModels = {{
    {"820", "820/821", resources::kDialogLgr820, Transport::BaseUnit, 1,
     MakeBaseUnitPage<CPageLgr820, MakeBaseUnitLogger>, kCodes820,
     AcceptsKind<client::kKindOneChannel>, kButtons},
    {"821", "820/821", resources::kDialogLgr820, Transport::BaseUnit, 1,
     MakeBaseUnitPage<CPageLgr820, MakeBaseUnitLogger>, kCodes821,
     AcceptsKind<client::kKindOneChannel>, kButtons},
    {"830", "830", resources::kDialogLgr830, Transport::BaseUnit, 2,
     MakeBaseUnitPage<CPageLgr830, MakeLgr830Logger>, {}, AcceptsKind<client::kKindLgr830>,
     kButtons},
    {"870", "870", resources::kDialogLgr870, Transport::DirectUsb, 4,
     MakeDirectUsbPage<CPageLgr870>, {}, nullptr, kButtons, {}, 0, du::kTabs, 2, kPairs870,
     kHistory870},
    {"850", "850", resources::kDialogLgr850, Transport::BaseUnit, 1, MakePage850, {},
     AcceptsMultiInput, kButtons, kMultiInputKinds, mi::kThermocouple},
    {"875", "875", resources::kDialogLgr875, Transport::DirectUsb, 3,
     MakeDirectUsbPage<CPageLgr875>, {}, nullptr, kButtons, {}, 0, du::kTabs, 2, kPairs875,
     kHistory875},
    {"835", "835", resources::kDialogLgr835, Transport::BaseUnit, 2,
     MakeBaseUnitPage<CPageLgr835, MakeLgr835Logger>, {}, AcceptsKind<client::kKindLgr835>,
     kButtons},
    {"890", "890", resources::kDialogLgr890, Transport::Cable, 1,
     MakeBaseUnitPage<CPageLgr890, MakeLgr890CableLogger>, {}, nullptr, kButtons},
}};

}  // namespace

std::span<const ModelRow> Models() { return kModels; }

const ModelRow* FindModel(std::string_view model) {
    for (const ModelRow& row : kModels)
        if (row.model == model) return &row;
    return nullptr;
}

bool FirstOfItsPage(const ModelRow& row) {
    for (const ModelRow& earlier : kModels) {
        if (&earlier == &row) return true;
        if (earlier.dialogId == row.dialogId) return false;
    }
    return false;
}

std::string PageNameOf(int dialogId) {
    for (const ModelRow& row : kModels)
        if (row.dialogId == dialogId) return std::string(row.page);
    return std::to_string(dialogId);
}

std::string LoggerModelOf(int dialogId, std::optional<uint8_t> deviceCode) {
    for (const ModelRow& row : kModels) {
        if (row.dialogId != dialogId) continue;
        if (row.deviceCodes.empty()) return std::string(row.model);
        if (deviceCode && std::ranges::find(row.deviceCodes, *deviceCode) != row.deviceCodes.end())
            return std::string(row.model);
    }
    return PageNameOf(dialogId);
}

}  // namespace tb::pages
