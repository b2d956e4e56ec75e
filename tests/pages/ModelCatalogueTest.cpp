// The model catalogue and its bindings against the pages they make: each
// row's page answers for the channels the row promises, the window gets one
// tab per page in order, and the journal's names come out of the rows.
#include <gtest/gtest.h>

#include <array>
#include <set>
#include <stdexcept>

#include "pages/ModelCatalogue.h"
#include "pages/ModelPages.h"
#include "resources/dialogs/DialogIds.h"

namespace tb::pages {
namespace {

TEST(ModelCatalogue, EachRowsPageAnswersForTheChannelsTheRowNames) {
    for (const ModelRow& row : Models()) {
        SCOPED_TRACE(std::string(row.model));
        const ModelPage made = MakePage(row);
        ASSERT_NE(made.adjustable, nullptr);
        EXPECT_EQ(made.page->DialogId(), row.dialogId);
        ASSERT_EQ(made.adjustable->AdjustableChannels(), row.channels);
        std::set<int> ticks;
        for (int channel = 1; channel <= row.channels; ++channel) {
            const ChannelPlace place = made.adjustable->PlaceOfChannel(channel);
            EXPECT_GE(place.tab, 0);
            EXPECT_LT(place.tab, row.tabs);
            EXPECT_GT(place.editLength, 0);
            ticks.insert(place.ids.adjust);
        }
        EXPECT_EQ(ticks.size(), static_cast<std::size_t>(row.channels)) << "channels share a tick";
        EXPECT_THROW(made.adjustable->PlaceOfChannel(row.channels + 1), std::out_of_range);
        EXPECT_THROW(made.adjustable->CurrentCorrection(0), std::out_of_range);
        for (const PairName& pair : row.pairs) EXPECT_LT(pair.tab, row.tabs);
        if (!row.historyLists.empty()) {
            EXPECT_EQ(static_cast<int>(row.historyLists.size()), row.tabs);
        }
        // Only direct-USB rows have a model table.
        EXPECT_EQ(DirectUsbTable(row) != nullptr, row.transport == Transport::DirectUsb);
        if (const auto* table = DirectUsbTable(row)) {
            EXPECT_EQ(table->name, row.model);
        }
    }
}

TEST(ModelCatalogue, TheDeviceCodesOfAModelAreOnesItsPageAccepts) {
    int rowsWithCodes = 0;
    for (const ModelRow& row : Models()) {
        if (row.deviceCodes.empty()) continue;
        ++rowsWithCodes;
        for (const uint8_t code : row.deviceCodes) {
            SCOPED_TRACE(std::string(row.model) + " " + std::to_string(code));
            std::array<uint8_t, 64> settings{};
            settings[62] = code;
            EXPECT_TRUE(Accepts(row, 0, settings));
            EXPECT_EQ(LoggerModelOf(row.dialogId, code), row.model);
        }
    }
    EXPECT_EQ(rowsWithCodes, 2);  // 820 and 821 share a page
}

TEST(ModelCatalogue, TheWindowGetsOneTabPerPageInTabOrder) {
    std::vector<int> dialogs;
    for (const ModelRow& row : Models())
        if (FirstOfItsPage(row)) dialogs.push_back(row.dialogId);
    EXPECT_EQ(dialogs, (std::vector<int>{resources::kDialogLgr820, resources::kDialogLgr830,
                                         resources::kDialogLgr870, resources::kDialogLgr850,
                                         resources::kDialogLgr875, resources::kDialogLgr835,
                                         resources::kDialogLgr890}));
}

TEST(ModelCatalogue, TheJournalNamesThePageAndTheModelItFound) {
    struct Case {
        int dialogId;
        std::optional<uint8_t> deviceCode;
        const char* page;
        const char* model;
    };
    for (const Case& c : {
             Case{resources::kDialogLgr820, 0x40, "820/821", "820"},
             Case{resources::kDialogLgr820, 0x5D, "820/821", "821"},
             Case{resources::kDialogLgr820, std::nullopt, "820/821", "820/821"},  // not told
             Case{resources::kDialogLgr820, 0x55, "820/821", "820/821"},  // not one of its codes
             Case{resources::kDialogLgr830, 0x5E, "830", "830"},
             Case{resources::kDialogLgr875, std::nullopt, "875", "875"},
             Case{resources::kDialogLgr890, std::nullopt, "890", "890"},
             Case{4242, std::nullopt, "4242", "4242"},
         }) {
        SCOPED_TRACE(c.dialogId);
        EXPECT_EQ(PageNameOf(c.dialogId), c.page);
        EXPECT_EQ(LoggerModelOf(c.dialogId, c.deviceCode), c.model);
    }
}

TEST(ModelCatalogue, ModelsAreFoundByTheirNamesOnly) {
    ASSERT_NE(FindModel("821"), nullptr);
    EXPECT_EQ(FindModel("821")->dialogId, resources::kDialogLgr820);
    EXPECT_EQ(FindModel("820/821"), nullptr);
    EXPECT_EQ(FindModel(""), nullptr);
    EXPECT_EQ(CableModel(), "890");
}

}  // namespace
}  // namespace tb::pages
