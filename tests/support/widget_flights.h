#pragma once
// Flight files for the widget tests, made with the program's own writer in a temporary
// folder.

#include <string>

#include <QTemporaryDir>
#include <QWidget>

#include "flight/flight_file.h"
#include "support/qt_app.h"

namespace tavo::test {

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

// The caption as the window system shows it: the "[*]" placeholder becomes "*" while
// the window is marked modified and disappears otherwise.
inline QString ShownTitle(const QWidget& window) {
    QString title = window.windowTitle();
    title.replace(QStringLiteral("[*]"),
                  window.isWindowModified() ? QStringLiteral("*") : QString());
    return title;
}

} // namespace tavo::test
