// A DialogView that keeps every control's state in memory: the headless view
// that a page runs behind when no window shows it.
//
// Product code: the command line runs pages behind it, and page tests drive
// pages through it. Either types into edit boxes with SetText, ticks boxes,
// picks radios and then reads back what the page showed, enabled or focused.
// Controls spring into existence on first use: enabled, visible, empty,
// unchecked, radio index 0, no rows, no tabs.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "pages/DialogView.h"

namespace tb::pages {

class MemoryDialogView : public DialogView {
  public:
    void Enable(int id, bool enabled) override;
    bool IsEnabled(int id) const override;
    void Show(int id, bool visible) override;
    bool IsVisible(int id) const override;

    void SetText(int id, const std::string& text) override;
    std::string Text(int id) const override;

    void SetCheck(int id, bool checked) override;
    bool IsChecked(int id) const override;

    void SetRadioIndex(int firstId, int index) override;
    int RadioIndex(int firstId) const override;

    void FocusAndSelect(int id) override;

    void InsertTab(int id, int index, const std::string& caption) override;
    std::vector<std::string> Tabs(int id) const override;
    void SelectTab(int id, int index) override;
    int SelectedTab(int id) const override;

    void SetColumns(int id, const std::vector<ListColumn>& columns) override;
    std::vector<ListColumn> Columns(int id) const override;
    void ClearRows(int id) override;
    void AddRow(int id, const std::vector<std::string>& cells) override;
    std::vector<std::vector<std::string>> Rows(int id) const override;

    void EnableSheet(bool enabled) override;
    bool IsSheetEnabled() const override;

    // The control that has the focus (its text selected), or 0 for none.
    int FocusedId() const { return focusedId_; }
    // Every FocusAndSelect, in order.
    const std::vector<int>& FocusHistory() const { return focusHistory_; }
    // The sheet's enabled state after every EnableSheet call, in order.
    const std::vector<bool>& SheetHistory() const { return sheetHistory_; }

  private:
    struct Control {
        bool enabled = true;
        bool visible = true;
        bool checked = false;
        int radioIndex = 0;
        std::string text;
        std::vector<ListColumn> columns;
        std::vector<std::vector<std::string>> rows;
        std::vector<std::string> tabs;
        int selectedTab = -1;
    };

    Control& At(int id) { return controls_[id]; }
    const Control& StateOf(int id) const;

    std::map<int, Control> controls_;
    int focusedId_ = 0;
    std::vector<int> focusHistory_;
    bool sheetEnabled_ = true;
    std::vector<bool> sheetHistory_;
};

}  // namespace tb::pages
