// The logger models the program adjusts: one row per model, in the order
// of the window's tabs, with the facts about each (its page's name and
// dialog, device codes, transport, channels). The window builds its sheet
// from it, the command line finds models and their loggers in it, and the
// journal names pages and models after it.
//
// Facts only: the pages include this header, so it includes no page. What
// makes a row's page and binds it to its devices is pages/ModelPages.h, a
// library above the page libraries. A new model is one row here, one
// there, plus its page (and, for a direct-USB model, its model table).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tb::pages {

// How a model's logger is reached.
enum class Transport {
    BaseUnit,   // behind a base unit on USB, named by the unit's serial number
    Cable,      // the model-890 cable, named by its COM number
    DirectUsb,  // on its own USB port (870, 875), named by its serial or COM number
};

// A pair of channels that initialise resets together, by name ("IU").
struct PairName {
    std::string_view name;
    int tab;
};

// An input kind of a multi-input logger: its names on the command line and
// the radio that chooses it on the page.
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
    std::string_view model;  // "820"
    std::string_view page;   // the page that serves it, as the journal names it: "820/821"
    int dialogId;            // the page's dialog; its caption is the tab's title
    Transport transport;
    int channels;
    // The device codes by which a logger is this model rather than another
    // the same page serves; empty where the page serves one model.
    std::span<const uint8_t> deviceCodes;
    PageButtons buttons;
    // The input kinds and the first radio of their group; none for most models.
    std::span<const InputKindName> inputKinds = {};
    int inputKindRadio = 0;
    // Pages with tabs: the tab control, the number of tabs, the pairs that
    // initialise names, and the history lists (one per tab).
    int tabControl = 0;
    int tabs = 1;
    std::span<const PairName> pairs = {};
    std::span<const int> historyLists = {};
};

// Every model, in the order of the window's tabs.
std::span<const ModelRow> Models();
// The row of a model by its name ("821"); nullptr for none.
const ModelRow* FindModel(std::string_view model);
// Whether the row is the first of its page: the window shows one tab per page.
bool FirstOfItsPage(const ModelRow& row);
// The model reached over the serial cable ("890").
std::string_view CableModel();

// The journal's names: the page of a dialog ("820/821"), and the model of
// the logger the page found by its device code ("821"); the page's name
// when the code does not tell.
std::string PageNameOf(int dialogId);
std::string LoggerModelOf(int dialogId, std::optional<uint8_t> deviceCode);

}  // namespace tb::pages
