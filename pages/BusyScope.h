// The busy rule of a page operation: from construction to destruction the
// page's action buttons and the whole property sheet are switched off, so no
// click can start a second operation while a wait lets the window run. The
// destructor switches them on again, whichever way the operation ends.
#pragma once

#include <initializer_list>
#include <vector>

#include "pages/DialogView.h"

namespace tb::pages {

class BusyScope {
  public:
    BusyScope(DialogView& view, std::initializer_list<int> buttons)
        : view_(view), buttons_(buttons) {
        for (int id : buttons_) view_.Enable(id, false);
        view_.EnableSheet(false);
    }
    ~BusyScope() {
        for (int id : buttons_) view_.Enable(id, true);
        view_.EnableSheet(true);
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

  private:
    DialogView& view_;
    std::vector<int> buttons_;
};

}  // namespace tb::pages
