// One QGuiApplication for a test process that draws or writes PDFs without
// widgets (tests run offscreen).
#pragma once

#include <QGuiApplication>

namespace tb::testing {

inline QGuiApplication& EnsureGuiApp() {
    static int argc = 1;
    static char name[] = "test_gui";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    return *app;
}

}  // namespace tb::testing
