#include "pages/ModelPages.h"

#include <array>
#include <stdexcept>
#include <string>
#include <string_view>

#include "client/BaseUnitDiscovery.h"
#include "client/CorrectionOperations.h"
#include "pages/ClientBaseUnitLogger.h"
#include "pages/PageLgr820.h"
#include "pages/PageLgr850.h"
#include "pages/PageLgr890.h"
#include "pages/TempHumidityPage.h"
#include "pages/lgr87x/PageLgr870.h"
#include "pages/lgr87x/PageLgr875.h"

namespace tb::pages {
namespace {

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

using lgr87x::CPageLgr870;
using lgr87x::CPageLgr875;
using lgr87x::ModelTable;

// What binds a catalogue row to the program's pages and devices.
struct Binding {
    std::string_view model;
    ModelPage (*make)();
    // Base-unit models only.
    bool (*accepts)(int inputKind, std::span<const uint8_t, 64> settings) = nullptr;
    // Direct-USB models only.
    const ModelTable& (*table)() = nullptr;
};

const std::array<Binding, 8> kBindings = {{
    {"820", MakeBaseUnitPage<CPageLgr820, MakeBaseUnitLogger>, AcceptsKind<client::kKindOneChannel>},
    {"821", MakeBaseUnitPage<CPageLgr820, MakeBaseUnitLogger>, AcceptsKind<client::kKindOneChannel>},
    {"830", MakeBaseUnitPage<CPageLgr830, MakeLgr830Logger>, AcceptsKind<client::kKindLgr830>},
    {"870", MakeDirectUsbPage<CPageLgr870>, nullptr, lgr87x::Lgr870Model},
    {"850", MakePage850, AcceptsMultiInput},
    {"875", MakeDirectUsbPage<CPageLgr875>, nullptr, lgr87x::Lgr875Model},
    {"835", MakeBaseUnitPage<CPageLgr835, MakeLgr835Logger>, AcceptsKind<client::kKindLgr835>},
    {"890", MakeBaseUnitPage<CPageLgr890, MakeLgr890CableLogger>},
}};

// Every catalogue row has its binding (the catalogue's tests make each page).
const Binding& BindingOf(const ModelRow& row) {
    for (const Binding& binding : kBindings)
        if (binding.model == row.model) return binding;
    throw std::out_of_range("no page is bound to model " + std::string(row.model));
}

}  // namespace

ModelPage MakePage(const ModelRow& row) { return BindingOf(row).make(); }

bool Accepts(const ModelRow& row, int inputKind, std::span<const uint8_t, 64> settings) {
    const Binding& binding = BindingOf(row);
    return row.transport == Transport::BaseUnit && binding.accepts != nullptr &&
           binding.accepts(inputKind, settings);
}

const lgr87x::ModelTable* DirectUsbTable(const ModelRow& row) {
    const Binding& binding = BindingOf(row);
    return row.transport == Transport::DirectUsb && binding.table != nullptr ? &binding.table()
                                                                              : nullptr;
}

}  // namespace tb::pages
