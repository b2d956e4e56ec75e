// One QApplication for a test process (tests run offscreen).
#pragma once

#include <QApplication>

namespace tb::testing {

inline QApplication& EnsureQtApp() {
    static int argc = 1;
    static char name[] = "test_ui";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

}  // namespace tb::testing
