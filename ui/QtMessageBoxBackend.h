// Shows the program's message boxes as Qt message boxes.
#pragma once

#include <QPointer>
#include <QWidget>

#include "services/MessageBox.h"

namespace tb::ui {

class QtMessageBoxBackend final : public services::MessageBoxBackend {
  public:
    // Boxes are modal to `owner` (the main window) when it is given.
    explicit QtMessageBoxBackend(QWidget* owner = nullptr) : owner_(owner) {}
    void SetOwner(QWidget* owner) { owner_ = owner; }

    services::MsgAnswer Show(const services::MessageBoxRequest& request) override;

  private:
    QPointer<QWidget> owner_;
};

// Installs a Qt backend for the lifetime of the object and restores the
// previous one afterwards.
class ScopedQtMessageBoxes {
  public:
    explicit ScopedQtMessageBoxes(QWidget* owner = nullptr);
    QtMessageBoxBackend& Backend() { return backend_; }

  private:
    QtMessageBoxBackend backend_;
    services::ScopedMessageBoxBackend install_;
};

}  // namespace tb::ui
