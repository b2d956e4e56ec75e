#include "ui/QtMessageBoxBackend.h"

#include <QMessageBox>
#include <QPushButton>

#include "app/StringOverride.h"

namespace tb::ui {
namespace {

QMessageBox::Icon IconOf(app::MsgIcon icon) {
    switch (icon) {
        case app::MsgIcon::Question:
            return QMessageBox::Question;
        case app::MsgIcon::Information:
            return QMessageBox::Information;
        case app::MsgIcon::Warning:
        case app::MsgIcon::Default:
            break;
    }
    return QMessageBox::Warning;
}

// The Yes and No buttons follow the interface language like the dialogs do.
QString ButtonText(const char* builtin) {
    return QString::fromStdString(app::TemplateText(builtin));
}

}  // namespace

app::MsgAnswer QtMessageBoxBackend::Show(const app::MessageBoxRequest& request) {
    QMessageBox box(IconOf(request.icon), QString::fromStdString(request.title),
                    QString::fromStdString(request.text), QMessageBox::NoButton, owner_.data());
    box.setTextFormat(Qt::PlainText);
    box.setAccessibleName(QString::fromStdString(request.title));
    box.setAccessibleDescription(QString::fromStdString(request.text));
    if (request.buttons == app::MsgButtons::Ok) {
        QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.setDefaultButton(ok);
        box.setEscapeButton(ok);
        box.exec();
        return app::MsgAnswer::Ok;
    }
    QPushButton* yes = box.addButton(ButtonText("はい(&Y)"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(ButtonText("いいえ(&N)"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    // Closing the box without choosing is a No: nothing is written unasked.
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes ? app::MsgAnswer::Yes : app::MsgAnswer::No;
}

ScopedQtMessageBoxes::ScopedQtMessageBoxes(QWidget* owner)
    : backend_(owner), previous_(app::CurrentMessageBoxBackend()) {
    app::SetMessageBoxBackend(&backend_);
}

ScopedQtMessageBoxes::~ScopedQtMessageBoxes() { app::SetMessageBoxBackend(previous_); }

}  // namespace tb::ui
