// The program's help window: a page of the HTML manual in a text browser,
// with its links and images. One window for the whole program; opening
// another page shows it in the same window and raises it to the top.
#pragma once

#include <QPointer>
#include <QTextBrowser>
#include <QWidget>
#include <string>

namespace tb::ui {

class HelpWindow : public QWidget {
  public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows `path` (an HTML file); false when it cannot be read.
    bool Open(const std::string& path);

  private:
    QTextBrowser* browser_;
};

// The help opener of the window: shows `path` in the one help window,
// creating it on first use. False when the page cannot be read.
bool OpenInHelpWindow(const std::string& path);

// The help window while it exists (tests look at it).
HelpWindow* CurrentHelpWindow();

}  // namespace tb::ui
