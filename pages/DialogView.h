// The id-keyed view through which a page reaches its dialog.
//
// Pages never touch widgets: they enable, show, read and write controls by
// their control id. The Qt layer implements this view over a dialog built
// from its template; tests use an in-memory view.
#pragma once

#include <string>
#include <vector>

namespace tb::pages {

// One column of a report-style list view; every column is left-aligned.
struct ListColumn {
    std::string header;
    int width = 0;  // pixels

    bool operator==(const ListColumn&) const = default;
};

class DialogView {
public:
    virtual ~DialogView() = default;

    virtual void Enable(int id, bool enabled) = 0;
    virtual bool IsEnabled(int id) const = 0;
    virtual void Show(int id, bool visible) = 0;
    virtual bool IsVisible(int id) const = 0;

    virtual void SetText(int id, const std::string& text) = 0;
    virtual std::string Text(int id) const = 0;

    virtual void SetCheck(int id, bool checked) = 0;
    virtual bool IsChecked(int id) const = 0;

    // Radio groups are named by the id of their first button.
    virtual void SetRadioIndex(int firstId, int index) = 0;
    virtual int RadioIndex(int firstId) const = 0;

    // Keyboard focus on the control, its whole text selected, caret in view.
    virtual void FocusAndSelect(int id) = 0;

    // Tab controls: the tabs' captions and the selected tab (-1: none).
    virtual void InsertTab(int id, int index, const std::string& caption) = 0;
    virtual std::vector<std::string> Tabs(int id) const = 0;
    virtual void SelectTab(int id, int index) = 0;
    virtual int SelectedTab(int id) const = 0;

    // List controls (report-style list views). SetColumns replaces every
    // column; the rows stay.
    virtual void SetColumns(int id, const std::vector<ListColumn>& columns) = 0;
    virtual std::vector<ListColumn> Columns(int id) const = 0;
    virtual void ClearRows(int id) = 0;
    virtual void AddRow(int id, const std::vector<std::string>& cells) = 0;
    virtual std::vector<std::vector<std::string>> Rows(int id) const = 0;

    // The whole property sheet (tabs and every page) during an operation.
    virtual void EnableSheet(bool enabled) = 0;
    virtual bool IsSheetEnabled() const = 0;
};

}  // namespace tb::pages
