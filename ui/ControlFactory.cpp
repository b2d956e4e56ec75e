#include "ui/ControlFactory.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTreeWidget>

#include "services/StringOverride.h"
#include "ui/Accessibility.h"
#include "ui/ProgramIcon.h"

namespace tb::ui {
namespace {

using resources::ControlKind;
using resources::ControlTemplate;

QString Caption(const ControlTemplate& control) {
    return QString::fromStdString(services::TemplateText(control.caption));
}

QWidget* CreateEditBox(const ControlTemplate& control, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    if (control.maxLength > 0) edit->setMaxLength(control.maxLength);
    return edit;
}

QWidget* CreatePushButton(const ControlTemplate& control, QWidget* parent) {
    auto* button = new QPushButton(Caption(control), parent);
    // Enter in an edit box must not press a page button behind the user's back.
    button->setAutoDefault(false);
    return button;
}

QWidget* CreateIcon(const ControlTemplate& control, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setPixmap(ProgramIconPixmap(std::min(control.width, control.height)));
    return label;
}

// A report-style list: the caption holds the column headings separated by '|'.
QWidget* CreateListView(const ControlTemplate& control, QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setRootIsDecorated(false);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    const QStringList headings = Caption(control).split(QLatin1Char('|'));
    list->setColumnCount(static_cast<int>(headings.size()));
    list->setHeaderLabels(headings);
    // Pages set narrow columns (a 16-pixel row number); the style's minimum
    // must not widen them.
    list->header()->setMinimumSectionSize(0);
    return list;
}

// The tabs are inserted by the page when it opens.
QWidget* CreateTabBar(QWidget* parent) {
    auto* tabs = new QTabBar(parent);
    tabs->setDrawBase(true);
    tabs->setExpanding(false);
    return tabs;
}

QWidget* CreateWidget(const ControlTemplate& control, QWidget* parent) {
    switch (control.kind) {
        case ControlKind::GroupBox:
            return new QGroupBox(Caption(control), parent);
        case ControlKind::CheckBox:
            return new QCheckBox(Caption(control), parent);
        case ControlKind::RadioButton:
            return new QRadioButton(Caption(control), parent);
        case ControlKind::StaticText:
            return new QLabel(Caption(control), parent);
        case ControlKind::EditBox:
            return CreateEditBox(control, parent);
        case ControlKind::PushButton:
            return CreatePushButton(control, parent);
        case ControlKind::Icon:
            return CreateIcon(control, parent);
        case ControlKind::ListView:
            return CreateListView(control, parent);
        case ControlKind::TabControl:
            return CreateTabBar(parent);
    }
    return new QLabel(parent);
}

}  // namespace

QWidget* CreateControl(const ControlTemplate& control, QWidget* parent) {
    QWidget* widget = CreateWidget(control, parent);
    widget->setGeometry(control.x, control.y, control.width, control.height);
    widget->setVisible(!control.hidden);
    ApplyAccessibility(*widget, control);
    return widget;
}

}  // namespace tb::ui
