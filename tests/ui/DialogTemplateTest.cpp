#include <gtest/gtest.h>

#include <set>
#include <string>

#include "resources/dialogs/DialogTemplate.h"

using tb::resources::ControlKind;
using tb::resources::DialogTemplate;
using tb::resources::FindDialogTemplate;

namespace {

const DialogTemplate& Dialog(int id) {
    const DialogTemplate* dialog = FindDialogTemplate(id);
    if (dialog == nullptr) throw std::runtime_error("missing dialog " + std::to_string(id));
    return *dialog;
}

}  // namespace

TEST(DialogTemplates, EveryDialogIsThereWithItsCaption) {
    const std::pair<int, const char*> expected[] = {
        {100, "バージョン情報"}, {101, "Trimbench"},    {129, "  LGR-870  "}, {130, "LGR850B"},
        {131, "  設定  "},       {133, "LGR820B/821B"}, {134, "LGR830B"},     {135, "  LGR-875  "},
        {136, "LGR835B"},        {139, "  LGR-890  "},
    };
    for (const auto& [id, caption] : expected) EXPECT_STREQ(Dialog(id).caption, caption) << id;
    EXPECT_EQ(FindDialogTemplate(132), nullptr);
}

TEST(DialogTemplates, ControlsHaveUniqueIdsAndLieInsideTheirDialog) {
    for (int id : tb::resources::DialogTemplateIds()) {
        const DialogTemplate& dialog = Dialog(id);
        std::set<int> seen;
        for (const auto& control : dialog.controls) {
            if (control.id != tb::resources::kNoControlId) {
                EXPECT_TRUE(seen.insert(control.id).second) << id << ": " << control.id;
            }
            EXPECT_GE(control.x, 0);
            EXPECT_GE(control.y, 0);
            EXPECT_LE(control.x + control.width, dialog.width) << id << ": " << control.id;
            EXPECT_LE(control.y + control.height, dialog.height) << id << ": " << control.id;
        }
    }
}

TEST(DialogTemplates, OneChannelPagesShareTheirControlsAndLimitEveryBoxToSixCharacters) {
    for (int id : {133, 139}) {
        const DialogTemplate& dialog = Dialog(id);
        std::set<int> edits;
        for (const auto& control : dialog.controls) {
            if (control.kind == ControlKind::EditBox) {
                edits.insert(control.id);
                EXPECT_EQ(control.maxLength, 6);
                EXPECT_STRNE(control.accessibleName, "") << control.id;
            }
            if (control.id == 1015) {
                EXPECT_TRUE(control.groupStart);
            }
            if (control.id == 1026) {
                EXPECT_FALSE(control.groupStart);
            }
        }
        EXPECT_EQ(edits, (std::set<int>{1016, 1018, 1019, 1020}));
    }
    EXPECT_EQ(Dialog(133).controls.data(), Dialog(139).controls.data());
}
