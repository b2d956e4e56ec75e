#include "ui/QtMessageBoxBackend.h"

#include <QMessageBox>
#include <QPushButton>

#include "services/StringOverride.h"

namespace tb::ui {
namespace {

QMessageBox::Icon IconOf(services::MsgIcon icon) {
    switch (icon) {
        case services::MsgIcon::Question:
            return QMessageBox::Question;
        case services::MsgIcon::Information:
            return QMessageBox::Information;
        case services::MsgIcon::Warning:
        case services::MsgIcon::Default:
            break;
    }
    return QMessageBox::Warning;
}

// The Yes and No buttons follow the interface language like the dialogs do.
QString ButtonText(const char* builtin) {
    return QString::fromStdString(services::TemplateText(builtin));
}

}  // namespace

services::MsgAnswer QtMessageBoxBackend::Show(const services::MessageBoxRequest& request) {
    QMessageBox box(IconOf(request.icon), QString::fromStdString(request.title),
                    QString::fromStdString(request.text), QMessageBox::NoButton, owner_.data());
    box.setTextFormat(Qt::PlainText);
    box.setAccessibleName(QString::fromStdString(request.title));
    box.setAccessibleDescription(QString::fromStdString(request.text));
    if (request.buttons == services::MsgButtons::Ok) {
        QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.setDefaultButton(ok);
        box.setEscapeButton(ok);
        box.exec();
        return services::MsgAnswer::Ok;
    }
    QPushButton* yes = box.addButton(ButtonText("はい(&Y)"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(ButtonText("いいえ(&N)"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    // Closing the box without choosing is a No: nothing is written unasked.
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes ? services::MsgAnswer::Yes : services::MsgAnswer::No;
}

ScopedQtMessageBoxes::ScopedQtMessageBoxes(QWidget* owner) : backend_(owner), install_(backend_) {}

}  // namespace tb::ui
