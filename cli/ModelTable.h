// The models the command line adjusts: one row per model, naming the page
// class that serves it, its dialog, and the controls the command line fills
// and presses on that page. A model joins by adding a row.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "pages/ChannelEntry.h"
#include "pages/CorrectionFormula.h"
#include "pages/PropertyPage.h"

namespace tb::cli {

// How the command line finds a model's logger.
enum class Transport {
    BaseUnit,  // behind a base unit on USB, named by the unit's serial number
    Cable,     // the model-890 cable, named by its COM number
};

// The controls of one channel on its page.
struct ChannelControls {
    int adjust;        // check box "adjust this channel"
    int pointMode;     // first radio of the one-point / two-point group
    pages::EntryBoxes boxes;
    int currentLine;   // the current-setting line
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
    int editLength;  // characters an edit box takes
    std::span<const ChannelControls> channels;
    PageButtons buttons;
    std::unique_ptr<pages::CPropertyPage> (*makePage)();
    // The page's correction of a channel (1-based) as last read, and as last
    // prepared for writing.
    pages::Correction (*current)(const pages::CPropertyPage& page, int channel);
    pages::Correction (*composed)(const pages::CPropertyPage& page, int channel);
    // Whether the logger behind a base unit, by its settings block, is one
    // this page serves (base-unit models only).
    bool (*accepts)(std::span<const uint8_t, 64> settings);
};

std::span<const ModelRow> Models();
const ModelRow* FindModel(std::string_view model);
// "820, 821, 890": for messages.
std::string ModelNames();

}  // namespace tb::cli
