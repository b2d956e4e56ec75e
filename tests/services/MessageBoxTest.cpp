#include <gtest/gtest.h>

#include "services/MessageBox.h"
#include "services/PageServices.h"
#include "tests/support/ScriptedMessageBoxes.h"
#include "services/StringOverride.h"

namespace tb::services {
namespace {

TEST(MessageBox, DefaultIconFollowsTheButtons) {
    EXPECT_EQ(ResolveIcon(MsgButtons::Ok, MsgIcon::Default), MsgIcon::Warning);
    EXPECT_EQ(ResolveIcon(MsgButtons::YesNo, MsgIcon::Default), MsgIcon::Question);
    EXPECT_EQ(ResolveIcon(MsgButtons::Ok, MsgIcon::Information), MsgIcon::Information);
    EXPECT_EQ(ResolveIcon(MsgButtons::YesNo, MsgIcon::Warning), MsgIcon::Warning);
}

TEST(MessageBox, EveryBoxCarriesTheTitleAndResolvedIcon) {
    ScriptedMessageBoxes boxes;
    ShowMessage("plain");
    ShowMessageId(1006);
    ShowMessage("asked", MsgButtons::YesNo);
    ShowMessageId(106, MsgButtons::Ok, MsgIcon::Information);

    auto shown = boxes.Boxes();
    ASSERT_EQ(shown.size(), 4u);
    for (const auto& box : shown) EXPECT_EQ(box.title, "Trimbench2");
    EXPECT_EQ(shown[0].icon, MsgIcon::Warning);
    EXPECT_EQ(shown[1].text, "ヘルプファイルが起動できません。");
    EXPECT_EQ(shown[2].buttons, MsgButtons::YesNo);
    EXPECT_EQ(shown[2].icon, MsgIcon::Question);
    EXPECT_EQ(shown[3].text, "設定値を受信しました。");
    EXPECT_EQ(shown[3].icon, MsgIcon::Information);
}

TEST(MessageBox, QuestionsAreAnsweredFromTheScriptThenTheDefault) {
    ScriptedMessageBoxes boxes;
    boxes.AnswerNext(MsgAnswer::Yes);
    boxes.AnswerNext(MsgAnswer::No);
    // OK boxes do not use up scripted answers.
    EXPECT_EQ(ShowMessage("note"), MsgAnswer::Ok);
    EXPECT_EQ(ShowMessage("first?", MsgButtons::YesNo), MsgAnswer::Yes);
    EXPECT_EQ(ShowMessage("second?", MsgButtons::YesNo), MsgAnswer::No);
    EXPECT_EQ(ShowMessage("third?", MsgButtons::YesNo), MsgAnswer::No);
    boxes.SetDefaultAnswer(MsgAnswer::Yes);
    EXPECT_EQ(ShowMessage("fourth?", MsgButtons::YesNo), MsgAnswer::Yes);
    EXPECT_EQ(boxes.PendingAnswers(), 0u);
}

TEST(MessageBox, OnShowRunsWhileTheBoxIsOpen) {
    ScriptedMessageBoxes boxes;
    std::string seen;
    boxes.OnShow([&](const MessageBoxRequest& request) { seen = request.text; });
    ShowMessage("visible");
    EXPECT_EQ(seen, "visible");
}

TEST(MessageBox, RecorderRestoresThePreviousBackend) {
    ScriptedMessageBoxes outer;
    {
        ScriptedMessageBoxes inner;
        ShowMessage("to inner");
        EXPECT_EQ(inner.Count(), 1u);
    }
    ShowMessage("to outer");
    ASSERT_EQ(outer.Count(), 1u);
    EXPECT_EQ(outer.Last().text, "to outer");
}

TEST(MessageBox, WithoutBackendQuestionsAreAnsweredNo) {
    SetMessageBoxBackend(nullptr);
    EXPECT_EQ(ShowMessage("write to the logger?", MsgButtons::YesNo), MsgAnswer::No);
    EXPECT_EQ(ShowMessage("done"), MsgAnswer::Ok);
}

// A backend that answers Ok to a question must not count as Yes.
class ConfusedBackend : public MessageBoxBackend {
  public:
    MsgAnswer Show(const MessageBoxRequest&) override { return MsgAnswer::Ok; }
};

TEST(MessageBox, OnlyAnExplicitYesIsYes) {
    ConfusedBackend backend;
    SetMessageBoxBackend(&backend);
    EXPECT_EQ(ShowMessage("send?", MsgButtons::YesNo), MsgAnswer::No);
    SetMessageBoxBackend(nullptr);
}

TEST(LoadResString, OverrideReplacesTextsItKnowsAndKeepsTheRest) {
    EXPECT_EQ(LoadResString(1047), "0");
    EXPECT_EQ(LoadResString(4242), "");
    {
        ScopedStringOverride library([](int id) -> std::optional<std::string> {
            if (id == 1047) return "1";
            if (id == 4242) return "extra";
            return std::nullopt;
        });
        EXPECT_EQ(LoadResString(1047), "1");
        EXPECT_EQ(LoadResString(4242), "extra");
        EXPECT_EQ(LoadResString(1052), "傾きが 0 です。");
        {
            ScopedStringOverride inner([](int) -> std::optional<std::string> { return "2"; });
            EXPECT_EQ(LoadResString(1047), "2");
        }
        EXPECT_EQ(LoadResString(1047), "1") << "the outer override is back";
    }
    EXPECT_EQ(LoadResString(1047), "0");
}

}  // namespace
}  // namespace tb::services
