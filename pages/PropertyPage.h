// The base of every page of the property sheet.
//
// A page holds its behaviour and its state; it reaches its controls only
// through the id-keyed view that the host attaches before the page opens.
// Each page binds control ids to its handlers with a command table:
//
//   static constexpr CommandEntry<CPageX> kCommands[] = {{1014, &CPageX::OnInitialise}, ...};
//   bool OnCommand(int id) override { return DispatchCommand(*this, kCommands, id); }
#pragma once

#include <cassert>
#include <span>

#include "pages/DialogView.h"

namespace tb::pages {

template <typename Page>
struct CommandEntry {
    int id;
    void (Page::*handler)();
};

// Runs the handler bound to `id`; false when the table binds nothing to it.
template <typename Page>
bool DispatchCommand(Page& page, std::span<const CommandEntry<Page>> table, int id) {
    for (const CommandEntry<Page>& entry : table) {
        if (entry.id == id) {
            (page.*entry.handler)();
            return true;
        }
    }
    return false;
}

class CPropertyPage {
  public:
    explicit CPropertyPage(int dialogId) : dialogId_(dialogId) {}
    virtual ~CPropertyPage() = default;
    CPropertyPage(const CPropertyPage&) = delete;
    CPropertyPage& operator=(const CPropertyPage&) = delete;

    // The dialog template the host builds the page from.
    int DialogId() const { return dialogId_; }

    // The host attaches the view once, before the page opens, and keeps it
    // alive as long as the page.
    void AttachView(DialogView& view) { view_ = &view; }

    // The page's controls exist: show the initial state.
    virtual void OnInitDialog() {}
    // The page has become the selected tab.
    virtual void OnSetActive() {}
    // Another tab is about to be selected: the page keeps what was entered.
    virtual void OnKillActive() { UpdateData(true); }
    // A control was clicked; true when the page handled the command.
    virtual bool OnCommand(int /*id*/) { return false; }
    // True when the Escape key does nothing on this page (it then never
    // closes the window behind the page).
    virtual bool SwallowsEscape() const { return false; }

  protected:
    // Moves the page state to (save == false) or from (save == true) the controls.
    virtual void DoDataExchange(bool /*save*/) {}
    void UpdateData(bool save) {
        if (view_ != nullptr) DoDataExchange(save);
    }

    DialogView& View() {
        assert(view_ != nullptr);
        return *view_;
    }
    const DialogView& View() const {
        assert(view_ != nullptr);
        return *view_;
    }

  private:
    int dialogId_;
    DialogView* view_ = nullptr;
};

}  // namespace tb::pages
