#pragma once
// The user's settings of section "MySettings" under QSettings("TAVO", "TAVOkit"): on
// Windows the registry key HKEY_CURRENT_USER\Software\TAVO\TAVOkit\MySettings, elsewhere
// Qt's native settings file. Loaded once when the document is made, saved at exit.

#include <string>

class QSettings;

namespace tavo {

struct UserSettings;

class MySettings {
public:
    static constexpr const char* kSection = "MySettings";

    // Reads the nine values into `record`. On the first run (no section yet) the
    // first-run values are set and all nine are written, in their fixed order.
    static void Load(UserSettings& record, QSettings& settings);
    // Writes all nine values back, in their fixed order.
    static void Save(const UserSettings& record, QSettings& settings);
    // The device dialogs' port: the stored "CommPort" ("COM1:" when absent or empty)
    // and "AutoComPort" (on when absent).
    static void LoadPortSettings(QSettings& settings, std::string& portName, bool& autoDetect);
    // The Setup dialog's OK writes the port choice at once.
    static void SaveCommPort(const UserSettings& record, QSettings& settings);

    // "SampleInterval" as stored: the float with "%.6f", independent of the locale.
    static std::string FormatInterval(float interval);
    // "SampleInterval" as read: the standard decimal prefix conversion; "abc" is 0.
    static float ParseInterval(const std::string& text);
};

} // namespace tavo
