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

// The command line of the program, for tests that construct the application
// object themselves (it keeps references to both).
inline int& ProgramArgc() {
    static int argc = 1;
    return argc;
}

inline char** ProgramArgv() {
    static char name[] = "Trimbench2";
    static char* argv[] = {name, nullptr};
    return argv;
}

}  // namespace tb::testing
