#pragma once
// What the widget tests share: one QApplication on the offscreen platform, and flight
// files made with the program's own writer in a temporary folder.

#include <string>

#include <QApplication>
#include <QTemporaryDir>

#include "flight/flight_file.h"

namespace tavo::test {

inline QApplication& App() {
    static int argc = 1;
    static char name[] = "widget_tests";
    static char* argv[] = {name, nullptr};
    // Never destroyed: Qt's own clean-up at exit must not run after the test's statics.
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// A flight of `n` samples: rest, a boost and a coast, with launch and burn-out flags.
inline std::string WriteTestFlight(const QTemporaryDir& dir, const char* name, int n = 200) {
    FlightRecord r;
    for (int i = 0; i < n; ++i) {
        int word = 2048;
        if (i >= n / 10 && i < n / 4)
            word = 2048 - 90;
        else if (i >= n / 4)
            word = 2048 + 15;
        if (i == n / 10)
            word |= 0x1000;
        if (i == n / 4)
            word |= 0x2000;
        r.m_pSamples.items().push_back(std::to_string(word));
    }
    r.m_nSampleRate = 100;
    r.m_fTwoGeeFile = 30.0f;
    r.m_strName = "Test";
    const std::string path = dir.filePath(QString::fromLatin1(name)).toStdString();
    FileError error;
    if (!SaveFlightFile(path, r, error))
        return std::string();
    return path;
}

} // namespace tavo::test
