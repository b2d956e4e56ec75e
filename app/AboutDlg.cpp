#include "app/AboutDlg.h"

#include "resources/dialogs/AboutIds.h"
#include "resources/dialogs/DialogIds.h"
#include "ui/DialogWidget.h"
#include "ui/ProgramIcon.h"

namespace tb::app {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    const resources::DialogTemplate* dialog =
        resources::FindDialogTemplate(resources::kDialogAbout);
    auto* content = new ui::DialogWidget(*dialog, this);
    setWindowTitle(content->windowTitle());
    setAccessibleName(content->windowTitle());
    setWindowIcon(ui::ProgramIcon());
    setFixedSize(content->size());
    connect(content, &ui::DialogWidget::commandIssued, this, [this](int id) {
        if (id == resources::about::kOkButton) accept();
    });
}

}  // namespace tb::app
