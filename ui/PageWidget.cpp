#include "ui/PageWidget.h"

#include <QKeyEvent>
#include <stdexcept>

namespace tb::ui {
namespace {

const resources::DialogTemplate& TemplateOf(const pages::CPropertyPage& page) {
    const resources::DialogTemplate* dialog = resources::FindDialogTemplate(page.DialogId());
    if (dialog == nullptr) {
        throw std::logic_error("no dialog template " + std::to_string(page.DialogId()));
    }
    return *dialog;
}

}  // namespace

PageWidget::PageWidget(pages::CPropertyPage& page, QWidget* sheet, QWidget* parent)
    : QWidget(parent), page_(page), dialog_(new DialogWidget(TemplateOf(page), this)) {
    setFixedSize(dialog_->size());
    setAccessibleName(dialog_->accessibleName());
    view_ = std::make_unique<QtDialogView>(*dialog_, sheet);
    page_.AttachView(*view_);
    connect(dialog_, &DialogWidget::commandIssued, this, [this](int id) { page_.OnCommand(id); });
}

QString PageWidget::Caption() const { return dialog_->windowTitle(); }

void PageWidget::Activate() {
    if (!opened_) {
        opened_ = true;
        page_.OnInitDialog();
    }
    page_.OnSetActive();
}

// Keys that no control took come here on their way to the window.
void PageWidget::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && page_.SwallowsEscape()) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PageWidget::Deactivate() {
    if (opened_) page_.OnKillActive();
}

}  // namespace tb::ui
