#include "cli/ModelTable.h"

#include <array>

#include "client/BaseUnitDiscovery.h"
#include "client/CorrectionOperations.h"
#include "pages/BaseUnitPage.h"
#include "pages/ClientBaseUnitLogger.h"
#include "pages/PageLgr820.h"
#include "pages/PageLgr850.h"
#include "pages/PageLgr890.h"
#include "pages/TempHumidityPage.h"
#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/MultiInputIds.h"
#include "resources/dialogs/TempHumidityIds.h"

namespace tb::cli {
namespace {

namespace oc = pages::one_channel;
namespace th = resources::temp_humidity;
namespace mi = resources::multi_input;

const pages::AdjustChannel& BaseUnitChannel(const pages::CPropertyPage& page, int channel) {
    return static_cast<const pages::CBaseUnitPage&>(page).Channel(static_cast<std::size_t>(channel - 1));
}

template <int Kind>
bool AcceptsKind(int, std::span<const uint8_t, 64> settings) {
    return client::BaseUnitModelAccepts(Kind, settings);
}

bool AcceptsMultiInput(int inputKind, std::span<const uint8_t, 64> settings) {
    return client::MultiInputModelAccepts(inputKind, settings);
}

template <typename Page, auto MakeLogger>
std::unique_ptr<pages::CPropertyPage> Make() {
    return std::make_unique<Page>(MakeLogger());
}

std::unique_ptr<pages::CPropertyPage> MakePage850() {
    return std::make_unique<pages::CPageLgr850>(pages::MakeMultiInputLogger);
}

constexpr PageButtons kButtons{oc::kInitialise, oc::kSend, oc::kReceive};
static_assert(th::kSend == oc::kSend && mi::kSend == oc::kSend);

constexpr std::array<InputKindName, 5> kMultiInputKinds = {{
    {"tc", "thermocouple", 0},
    {"pt", "Pt100/Pt1000", 1},
    {"ma", "4-20 mA", 2},
    {"v", "voltage", 3},
    {"noise", "noise/vibration", 4},
}};

// Each model a row, in the order of the window's tabs.
const std::array<ModelRow, 6> kModels = {{
    {"820", Transport::BaseUnit, resources::kDialogLgr820, oc::kEditLength, 1, kButtons,
     Make<pages::CPageLgr820, pages::MakeBaseUnitLogger>, BaseUnitChannel,
     AcceptsKind<client::kKindOneChannel>, {}, 0},
    {"821", Transport::BaseUnit, resources::kDialogLgr820, oc::kEditLength, 1, kButtons,
     Make<pages::CPageLgr820, pages::MakeBaseUnitLogger>, BaseUnitChannel,
     AcceptsKind<client::kKindOneChannel>, {}, 0},
    {"830", Transport::BaseUnit, resources::kDialogLgr830, th::kEditLength, 2, kButtons,
     Make<pages::CPageLgr830, pages::MakeLgr830Logger>, BaseUnitChannel,
     AcceptsKind<client::kKindLgr830>, {}, 0},
    {"850", Transport::BaseUnit, resources::kDialogLgr850, mi::kEditLength, 1, kButtons,
     MakePage850, BaseUnitChannel, AcceptsMultiInput, kMultiInputKinds, mi::kThermocouple},
    {"835", Transport::BaseUnit, resources::kDialogLgr835, th::kEditLength, 2, kButtons,
     Make<pages::CPageLgr835, pages::MakeLgr835Logger>, BaseUnitChannel,
     AcceptsKind<client::kKindLgr835>, {}, 0},
    {"890", Transport::Cable, resources::kDialogLgr890, oc::kEditLength, 1, kButtons,
     Make<pages::CPageLgr890, pages::MakeLgr890CableLogger>, BaseUnitChannel, nullptr, {}, 0},
}};

}  // namespace

std::span<const ModelRow> Models() { return kModels; }

const ModelRow* FindModel(std::string_view model) {
    for (const ModelRow& row : kModels)
        if (row.model == model) return &row;
    return nullptr;
}

std::string ModelNames() {
    std::string names;
    for (const ModelRow& row : kModels) {
        if (!names.empty()) names += ", ";
        names += row.model;
    }
    return names;
}

std::optional<int> FindInputKind(const ModelRow& row, std::string_view name) {
    for (const InputKindName& kind : row.inputKinds)
        if (kind.name == name || (name.size() == 1 && name[0] - '0' == kind.index)) return kind.index;
    return std::nullopt;
}

std::string InputKindNames(const ModelRow& row) {
    std::string names;
    for (const InputKindName& kind : row.inputKinds) {
        if (!names.empty()) names += ", ";
        names += std::string(kind.name) + " (" + std::string(kind.description) + ")";
    }
    return names;
}

}  // namespace tb::cli
