// A dialog's controls as Qt widgets, built from its template.
//
// The widget keeps every control by its id and every radio group by the id
// of its first button; nothing else in the program looks widgets up.
#pragma once

#include <QWidget>
#include <map>
#include <vector>

#include "resources/dialogs/DialogTemplate.h"

class QButtonGroup;

namespace tb::ui {

class DialogWidget : public QWidget {
    Q_OBJECT

  public:
    // Builds the controls of `dialog` as children; the widget has the
    // dialog's size and its caption as window title.
    explicit DialogWidget(const resources::DialogTemplate& dialog, QWidget* parent = nullptr);

    // The control with this id, or nullptr.
    QWidget* Control(int id) const;
    // Ids of every control that has one, in template order.
    const std::vector<int>& ControlIds() const { return ids_; }

    // The ids of the buttons of the radio group that starts at firstId
    // (empty when firstId starts no group).
    std::vector<int> RadioGroup(int firstId) const;

    // Sets a check box or radio button for the program; no command results.
    void SetChecked(int id, bool checked);
    // Adds a tab to a tab control, or selects one, for the program; no
    // command results.
    void InsertTab(int id, int index, const QString& caption);
    void SelectTab(int id, int index);

  signals:
    // A button, check box or radio button with an id was clicked, or the
    // user selected another tab of a tab control.
    void commandIssued(int id);

  private:
    void AddControl(const resources::ControlTemplate& control, int& openGroup);
    void ConnectCommand(const resources::ControlTemplate& control);

    std::map<int, QWidget*> controls_;
    std::vector<int> ids_;
    std::map<int, std::vector<int>> radioGroups_;
    int settingState_ = 0;
};

}  // namespace tb::ui
