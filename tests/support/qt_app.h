#pragma once
// The one Qt application object of a test program, on the offscreen platform.

#include <QApplication>
#include <QGuiApplication>

namespace tavo::test {

// For tests of widgets.
inline QApplication& App() {
    static int argc = 1;
    static char name[] = "tavokit_tests";
    static char* argv[] = {name, nullptr};
    // Never destroyed: Qt's own clean-up at exit must not run after the test's statics.
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// For tests that paint without widgets (fonts, images, PDF).
inline QGuiApplication& GuiApp() {
    static int argc = 1;
    static char name[] = "tavokit_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    return *app;
}

} // namespace tavo::test
