// The models the command line adjusts: one row per model, naming the page
// class that serves it, its dialog, and the controls the command line fills
// and presses on that page. A model joins by adding a row.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "pages/AdjustChannel.h"
#include "pages/CorrectionFormula.h"
#include "pages/PropertyPage.h"

namespace tb::cli {

// How the command line finds a model's logger.
enum class Transport {
    BaseUnit,   // behind a base unit on USB, named by the unit's serial number
    Cable,      // the model-890 cable, named by its COM number
    DirectUsb,  // on its own USB port (870, 875), named by its serial or COM number
};

// Where a channel (1-based) lives on its page.
struct ChannelPlace {
    pages::ChannelIds ids;
    int tab;         // the tab that shows it; 0 on a page without tabs
    int editLength;  // characters its edit boxes take
};

// A pair of channels that initialise resets together, by name ("IU").
struct PairName {
    std::string_view name;
    int tab;
};

// An input kind of a multi-input logger: its names on the command line
// and the radio that chooses it on the page.
struct InputKindName {
    std::string_view name;  // "tc"
    std::string_view description;
    int index;  // radio index and the page's input kind
};

// The three action buttons of a page.
struct PageButtons {
    int initialise;
    int send;
    int receive;
};

struct ModelRow {
    std::string_view model;  // as the tab names it: "820"
    Transport transport;
    int dialogId;
    int channels;
    PageButtons buttons;
    std::unique_ptr<pages::CPropertyPage> (*makePage)();
    // A channel of the open page: its place, the correction last read (or
    // written), and the one last prepared for writing where the page keeps it.
    ChannelPlace (*place)(const pages::CPropertyPage& page, int channel);
    pages::Correction (*current)(const pages::CPropertyPage& page, int channel);
    std::optional<pages::Correction> (*composed)(const pages::CPropertyPage& page, int channel);
    // Whether the logger behind a base unit, by its settings block, is one
    // this page serves with the given input kind (base-unit models only).
    bool (*accepts)(int inputKind, std::span<const uint8_t, 64> settings);
    // The input kinds and the first radio of their group; none for most models.
    std::span<const InputKindName> inputKinds;
    int inputKindRadio;
    // Pages with tabs: the tab control, the number of tabs, the pairs that
    // initialise names, and the history lists (one per tab).
    int tabControl = 0;
    int tabs = 1;
    std::span<const PairName> pairs = {};
    std::span<const int> historyLists = {};
};

std::span<const ModelRow> Models();
const ModelRow* FindModel(std::string_view model);
// "820, 821, 890": for messages.
std::string ModelNames();

// The input kind a name or number stands for on this model; nothing when
// the model has no such kind.
std::optional<int> FindInputKind(const ModelRow& row, std::string_view name);
// "tc, pt, ma, v, noise".
std::string InputKindNames(const ModelRow& row);

}  // namespace tb::cli
