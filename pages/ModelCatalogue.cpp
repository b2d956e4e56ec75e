#include "pages/ModelCatalogue.h"

#include <algorithm>
#include <array>

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

constexpr std::array<ModelRow, 8> kModels = {{
    {"820", "820/821", resources::kDialogLgr820, Transport::BaseUnit, 1, kCodes820, kButtons},
    {"821", "820/821", resources::kDialogLgr820, Transport::BaseUnit, 1, kCodes821, kButtons},
    {"830", "830", resources::kDialogLgr830, Transport::BaseUnit, 2, {}, kButtons},
    {"870", "870", resources::kDialogLgr870, Transport::DirectUsb, 4, {}, kButtons, {}, 0,
     du::kTabs, 2, kPairs870, kHistory870},
    {"850", "850", resources::kDialogLgr850, Transport::BaseUnit, 1, {}, kButtons,
     kMultiInputKinds, mi::kThermocouple},
    {"875", "875", resources::kDialogLgr875, Transport::DirectUsb, 3, {}, kButtons, {}, 0,
     du::kTabs, 2, kPairs875, kHistory875},
    {"835", "835", resources::kDialogLgr835, Transport::BaseUnit, 2, {}, kButtons},
    {"890", "890", resources::kDialogLgr890, Transport::Cable, 1, {}, kButtons},
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

std::string_view CableModel() {
    for (const ModelRow& row : kModels)
        if (row.transport == Transport::Cable) return row.model;
    return {};
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
