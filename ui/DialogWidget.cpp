#include "ui/DialogWidget.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QTabBar>

#include "services/StringOverride.h"
#include "ui/Accessibility.h"
#include "ui/ControlFactory.h"

namespace tb::ui {

using resources::ControlKind;
using resources::ControlTemplate;

DialogWidget::DialogWidget(const resources::DialogTemplate& dialog, QWidget* parent)
    : QWidget(parent) {
    const QString caption = QString::fromStdString(services::TemplateText(dialog.caption));
    setWindowTitle(caption);
    setAccessibleName(caption);
    setAccessibleDescription(ControlIdDescription(dialog.id));
    setFixedSize(dialog.width, dialog.height);
    int openGroup = resources::kNoControlId;
    for (const ControlTemplate& control : dialog.controls) AddControl(control, openGroup);
}

void DialogWidget::AddControl(const ControlTemplate& control, int& openGroup) {
    QWidget* widget = CreateControl(control, this);
    if (control.kind != ControlKind::RadioButton) {
        openGroup = resources::kNoControlId;
    } else if (control.groupStart || openGroup == resources::kNoControlId) {
        openGroup = control.id;
        auto* group = new QButtonGroup(this);
        group->setObjectName(QString::number(control.id));
        group->setExclusive(true);
    }
    if (control.id == resources::kNoControlId) return;

    controls_[control.id] = widget;
    ids_.push_back(control.id);
    if (control.kind == ControlKind::RadioButton) {
        radioGroups_[openGroup].push_back(control.id);
        auto* group =
            findChild<QButtonGroup*>(QString::number(openGroup), Qt::FindDirectChildrenOnly);
        group->addButton(static_cast<QAbstractButton*>(widget), control.id);
    }
    ConnectCommand(control);
}

// A push button reports its clicks. A check box or radio button reports the
// user's changes of its state, however made (mouse, keyboard or an
// assistive technology's toggle), but not the program's own SetChecked; a
// radio button reports only being selected.
void DialogWidget::ConnectCommand(const ControlTemplate& control) {
    const int id = control.id;
    if (auto* tabs = qobject_cast<QTabBar*>(controls_[id])) {
        connect(tabs, &QTabBar::currentChanged, this, [this, id] {
            if (settingState_ == 0) emit commandIssued(id);
        });
        return;
    }
    auto* button = qobject_cast<QAbstractButton*>(controls_[control.id]);
    if (button == nullptr) return;
    if (control.kind == ControlKind::PushButton) {
        connect(button, &QAbstractButton::clicked, this, [this, id] { emit commandIssued(id); });
        return;
    }
    const bool radio = control.kind == ControlKind::RadioButton;
    connect(button, &QAbstractButton::toggled, this, [this, id, radio](bool checked) {
        if (settingState_ == 0 && (checked || !radio)) emit commandIssued(id);
    });
}

void DialogWidget::SetChecked(int id, bool checked) {
    auto* button = qobject_cast<QAbstractButton*>(Control(id));
    if (button == nullptr) return;
    ++settingState_;
    button->setChecked(checked);
    --settingState_;
}

void DialogWidget::InsertTab(int id, int index, const QString& caption) {
    auto* tabs = qobject_cast<QTabBar*>(Control(id));
    if (tabs == nullptr) return;
    ++settingState_;
    tabs->insertTab(index, caption);
    --settingState_;
}

void DialogWidget::SelectTab(int id, int index) {
    auto* tabs = qobject_cast<QTabBar*>(Control(id));
    if (tabs == nullptr) return;
    ++settingState_;
    tabs->setCurrentIndex(index);
    --settingState_;
}

QWidget* DialogWidget::Control(int id) const {
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

std::vector<int> DialogWidget::RadioGroup(int firstId) const {
    const auto found = radioGroups_.find(firstId);
    return found == radioGroups_.end() ? std::vector<int>{} : found->second;
}

}  // namespace tb::ui
