// The about box: program icon, name and version, OK.
#pragma once

#include <QDialog>

namespace tb::app {

class CAboutDlg : public QDialog {
    Q_OBJECT

  public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace tb::app
