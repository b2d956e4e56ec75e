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
#include "pages/lgr87x/PageLgr870.h"
#include "pages/lgr87x/PageLgr875.h"
#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/Lgr87xDialogIds.h"
#include "resources/dialogs/MultiInputIds.h"
#include "resources/dialogs/TempHumidityIds.h"

namespace tb::cli {
namespace {

namespace oc = pages::one_channel;
namespace th = resources::temp_humidity;
namespace mi = resources::multi_input;

namespace du = resources::lgr87x_ids;
using pages::lgr87x::ChannelKind;

const pages::AdjustChannel& BaseUnitChannel(const pages::CPropertyPage& page, int channel) {
    return static_cast<const pages::CBaseUnitPage&>(page).Channel(static_cast<std::size_t>(channel - 1));
}

template <int EditLength>
ChannelPlace BaseUnitPlace(const pages::CPropertyPage& page, int channel) {
    return {BaseUnitChannel(page, channel).Ids(), 0, EditLength};
}
pages::Correction BaseUnitCurrent(const pages::CPropertyPage& page, int channel) {
    return BaseUnitChannel(page, channel).current;
}
std::optional<pages::Correction> BaseUnitComposed(const pages::CPropertyPage& page, int channel) {
    return BaseUnitChannel(page, channel).composed;
}

// A direct-USB channel by its number: its tab and its place in the tab's pair.
template <const pages::lgr87x::ModelTable& (*Model)()>
std::pair<int, std::size_t> DirectUsbSlot(int channel) {
    for (int tab = 0; tab < pages::lgr87x::kTabCount; ++tab) {
        const auto& channels = Model().tabs[static_cast<std::size_t>(tab)].channels;
        for (std::size_t j = 0; j < channels.size(); ++j)
            if (channels[j].number == channel && channels[j].kind != ChannelKind::Unused)
                return {tab, j};
    }
    return {0, 0};
}

template <const pages::lgr87x::ModelTable& (*Model)()>
ChannelPlace DirectUsbPlace(const pages::CPropertyPage&, int channel) {
    const auto [tab, j] = DirectUsbSlot<Model>(channel);
    const auto& slot = Model().tabs[static_cast<std::size_t>(tab)].channels[j];
    const auto row = static_cast<std::size_t>(slot.row);
    const bool narrow = slot.kind == ChannelKind::Temperature || slot.kind == ChannelKind::Humidity;
    return {{du::kCheck[row], du::kOnePoint[row], du::kTwoPoint[row], du::kBefore1[row],
             du::kAfter1[row], du::kBefore2[row], du::kAfter2[row], du::kUnits[row][0],
             du::kUnits[row][1], du::kUnits[row][2], du::kUnits[row][3], slot.currentText},
            tab,
            narrow ? du::kNarrowBoxLength : du::kWideBoxLength};
}

// The page keeps the codes the logger holds, as last read or written.
template <const pages::lgr87x::ModelTable& (*Model)()>
pages::Correction CorrectionOfCodes(int tab, std::size_t j, const pages::lgr87x::CalibrationCodes& codes) {
    const auto& table = Model().tabs[static_cast<std::size_t>(tab)];
    return {codes[j * 2] / 1000.0, codes[j * 2 + 1] / static_cast<double>(table.offsetScale)};
}

template <const pages::lgr87x::ModelTable& (*Model)()>
pages::Correction DirectUsbCurrent(const pages::CPropertyPage&, int channel) {
    const auto [tab, j] = DirectUsbSlot<Model>(channel);
    return CorrectionOfCodes<Model>(tab, j, Model().connection.table[static_cast<std::size_t>(tab)]);
}

// The codes the page composed for its confirmation, on the channel's tab.
template <const pages::lgr87x::ModelTable& (*Model)()>
std::optional<pages::Correction> DirectUsbComposed(const pages::CPropertyPage& page, int channel) {
    const auto& prepared = static_cast<const pages::lgr87x::CDirectUsbPage&>(page).Prepared();
    const auto [tab, j] = DirectUsbSlot<Model>(channel);
    if (!prepared || prepared->tab != tab) return std::nullopt;
    return CorrectionOfCodes<Model>(tab, j, prepared->codes);
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
template <typename Page>
std::unique_ptr<pages::CPropertyPage> MakeDirectUsbPage() {
    return std::make_unique<Page>();
}

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

// Each model a row, in the order of the window's tabs.
const std::array<ModelRow, 8> kModels = {{
    {"820", Transport::BaseUnit, resources::kDialogLgr820, 1, kButtons,
     Make<pages::CPageLgr820, pages::MakeBaseUnitLogger>, BaseUnitPlace<oc::kEditLength>,
     BaseUnitCurrent, BaseUnitComposed, AcceptsKind<client::kKindOneChannel>, {}, 0},
    {"821", Transport::BaseUnit, resources::kDialogLgr820, 1, kButtons,
     Make<pages::CPageLgr820, pages::MakeBaseUnitLogger>, BaseUnitPlace<oc::kEditLength>,
     BaseUnitCurrent, BaseUnitComposed, AcceptsKind<client::kKindOneChannel>, {}, 0},
    {"830", Transport::BaseUnit, resources::kDialogLgr830, 2, kButtons,
     Make<pages::CPageLgr830, pages::MakeLgr830Logger>, BaseUnitPlace<th::kEditLength>,
     BaseUnitCurrent, BaseUnitComposed, AcceptsKind<client::kKindLgr830>, {}, 0},
    {"870", Transport::DirectUsb, resources::kDialogLgr870, 4, kButtons,
     MakeDirectUsbPage<pages::lgr87x::CPageLgr870>, DirectUsbPlace<pages::lgr87x::Lgr870Model>,
     DirectUsbCurrent<pages::lgr87x::Lgr870Model>, DirectUsbComposed<pages::lgr87x::Lgr870Model>, nullptr, {}, 0, du::kTabs, 2,
     kPairs870, kHistory870},
    {"850", Transport::BaseUnit, resources::kDialogLgr850, 1, kButtons, MakePage850,
     BaseUnitPlace<mi::kEditLength>, BaseUnitCurrent, BaseUnitComposed, AcceptsMultiInput,
     kMultiInputKinds, mi::kThermocouple},
    {"875", Transport::DirectUsb, resources::kDialogLgr875, 3, kButtons,
     MakeDirectUsbPage<pages::lgr87x::CPageLgr875>, DirectUsbPlace<pages::lgr87x::Lgr875Model>,
     DirectUsbCurrent<pages::lgr87x::Lgr875Model>, DirectUsbComposed<pages::lgr87x::Lgr875Model>, nullptr, {}, 0, du::kTabs, 2,
     kPairs875, kHistory875},
    {"835", Transport::BaseUnit, resources::kDialogLgr835, 2, kButtons,
     Make<pages::CPageLgr835, pages::MakeLgr835Logger>, BaseUnitPlace<th::kEditLength>,
     BaseUnitCurrent, BaseUnitComposed, AcceptsKind<client::kKindLgr835>, {}, 0},
    {"890", Transport::Cable, resources::kDialogLgr890, 1, kButtons,
     Make<pages::CPageLgr890, pages::MakeLgr890CableLogger>, BaseUnitPlace<oc::kEditLength>,
     BaseUnitCurrent, BaseUnitComposed, nullptr, {}, 0},
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
