#include "cli/ModelTable.h"

#include <array>

#include "client/BaseUnitDiscovery.h"
#include "client/CorrectionOperations.h"
#include "pages/ClientOneChannelLogger.h"
#include "pages/PageLgr820.h"
#include "pages/PageLgr890.h"
#include "resources/dialogs/DialogIds.h"

namespace tb::cli {
namespace {

namespace oc = pages::one_channel;

constexpr std::array<ChannelControls, 1> kOneChannel = {{
    {oc::kAdjustChannel, oc::kOnePoint, {oc::kBefore1, oc::kAfter1, oc::kBefore2, oc::kAfter2},
     oc::kCurrentLine},
}};
constexpr PageButtons kOneChannelButtons{oc::kInitialise, oc::kSend, oc::kReceive};

pages::Correction OneChannelCurrent(const pages::CPropertyPage& page, int) {
    return static_cast<const pages::COneChannelPage&>(page).Current();
}
pages::Correction OneChannelComposed(const pages::CPropertyPage& page, int) {
    return static_cast<const pages::COneChannelPage&>(page).Composed();
}

bool AcceptsOneChannel(std::span<const uint8_t, 64> settings) {
    return client::BaseUnitModelAccepts(client::kKindOneChannel, settings);
}

std::unique_ptr<pages::CPropertyPage> MakePage820() {
    return std::make_unique<pages::CPageLgr820>(pages::MakeBaseUnitLogger());
}
std::unique_ptr<pages::CPropertyPage> MakePage890() {
    return std::make_unique<pages::CPageLgr890>(pages::MakeLgr890CableLogger());
}

const std::array<ModelRow, 3> kModels = {{
    {"820", Transport::BaseUnit, resources::kDialogLgr820, oc::kEditLength, kOneChannel,
     kOneChannelButtons, MakePage820, OneChannelCurrent, OneChannelComposed, AcceptsOneChannel},
    {"821", Transport::BaseUnit, resources::kDialogLgr820, oc::kEditLength, kOneChannel,
     kOneChannelButtons, MakePage820, OneChannelCurrent, OneChannelComposed, AcceptsOneChannel},
    {"890", Transport::Cable, resources::kDialogLgr890, oc::kEditLength, kOneChannel,
     kOneChannelButtons, MakePage890, OneChannelCurrent, OneChannelComposed, nullptr},
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

}  // namespace tb::cli
