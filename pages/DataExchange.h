// Moves a page's state to and from its controls.
//
// With save == true the control's value is taken into the field; with
// save == false the field is shown in the control.
#pragma once

#include <string>

#include "pages/DialogView.h"

namespace tb::pages {

inline void ExchangeCheck(DialogView& view, bool save, int id, bool& value) {
    if (save) {
        value = view.IsChecked(id);
    } else {
        view.SetCheck(id, value);
    }
}

// A radio group named by its first button; the value is the selected index.
inline void ExchangeRadio(DialogView& view, bool save, int firstId, int& index) {
    if (save) {
        index = view.RadioIndex(firstId);
    } else {
        view.SetRadioIndex(firstId, index);
    }
}

inline void ExchangeText(DialogView& view, bool save, int id, std::string& text) {
    if (save) {
        text = view.Text(id);
    } else {
        view.SetText(id, text);
    }
}

}  // namespace tb::pages
