#include "pages/MemoryDialogView.h"

#include <algorithm>
#include <cstddef>

namespace tb::pages {
const MemoryDialogView::Control& MemoryDialogView::StateOf(int id) const {
    static const Control kUntouched;
    auto it = controls_.find(id);
    return it == controls_.end() ? kUntouched : it->second;
}

void MemoryDialogView::Enable(int id, bool enabled) { At(id).enabled = enabled; }

bool MemoryDialogView::IsEnabled(int id) const { return StateOf(id).enabled; }

void MemoryDialogView::Show(int id, bool visible) { At(id).visible = visible; }

bool MemoryDialogView::IsVisible(int id) const { return StateOf(id).visible; }

void MemoryDialogView::SetText(int id, const std::string& text) { At(id).text = text; }

std::string MemoryDialogView::Text(int id) const { return StateOf(id).text; }

void MemoryDialogView::SetCheck(int id, bool checked) { At(id).checked = checked; }

bool MemoryDialogView::IsChecked(int id) const { return StateOf(id).checked; }

void MemoryDialogView::SetRadioIndex(int firstId, int index) { At(firstId).radioIndex = index; }

int MemoryDialogView::RadioIndex(int firstId) const { return StateOf(firstId).radioIndex; }

void MemoryDialogView::FocusAndSelect(int id) {
    focusedId_ = id;
    focusHistory_.push_back(id);
}

// A tab inserted at or before the selection moves the selection with it, as
// a tab control does; the first tab inserted becomes the selected one.
void MemoryDialogView::InsertTab(int id, int index, const std::string& caption) {
    Control& control = At(id);
    const auto at =
        static_cast<std::size_t>(std::clamp(index, 0, static_cast<int>(control.tabs.size())));
    control.tabs.insert(control.tabs.begin() + static_cast<std::ptrdiff_t>(at), caption);
    if (control.selectedTab < 0) {
        control.selectedTab = 0;
    } else if (static_cast<int>(at) <= control.selectedTab) {
        ++control.selectedTab;
    }
}

std::vector<std::string> MemoryDialogView::Tabs(int id) const { return StateOf(id).tabs; }

void MemoryDialogView::SelectTab(int id, int index) {
    Control& control = At(id);
    if (index >= 0 && index < static_cast<int>(control.tabs.size())) control.selectedTab = index;
}

int MemoryDialogView::SelectedTab(int id) const { return StateOf(id).selectedTab; }

void MemoryDialogView::SetColumns(int id, const std::vector<ListColumn>& columns) {
    At(id).columns = columns;
}

std::vector<ListColumn> MemoryDialogView::Columns(int id) const { return StateOf(id).columns; }

void MemoryDialogView::ClearRows(int id) { At(id).rows.clear(); }

void MemoryDialogView::AddRow(int id, const std::vector<std::string>& cells) {
    At(id).rows.push_back(cells);
}

std::vector<std::vector<std::string>> MemoryDialogView::Rows(int id) const {
    return StateOf(id).rows;
}

void MemoryDialogView::EnableSheet(bool enabled) {
    sheetEnabled_ = enabled;
    sheetHistory_.push_back(enabled);
}

bool MemoryDialogView::IsSheetEnabled() const { return sheetEnabled_; }

}  // namespace tb::pages
