#pragma once
// The rules of the recorder's settings, each written once with its message, for the
// Administer dialog and the command line alike: whole numbers within their limits, the
// sample rates the recorder offers, its event modes and its on/off settings.

#include <string>

#include "device/recorder_limits.h"
#include "device/recorder_settings.h"

namespace tavo {

// "Please enter an integer between LOW and HIGH."
std::string IntegerBetweenText(int low, int high);
// A whole number within [low, high] from a field's text (blanks around it are the text
// box's). On refusal `why` says what to enter.
bool ReadIntegerWithin(const std::string& text, int low, int high, int& value, std::string& why);

// A rate the recorder offers; on refusal `why` lists them.
bool CheckSampleRate(int rate, std::string& why);

// The event radio buttons of the Administer dialog.
enum EventRadio { kEventLaunch = 0, kEventBurnOut = 1, kEventApogee = 2 };

// The event modes: 1 fires on launch, 2 on burn-out, 4 at apogee, and 7 is launch with
// the recorder's own extra bits. On refusal `why` lists them.
bool CheckEventMode(int mode, std::string& why);
// The radio button that shows a mode (7 shows as launch); -1 when none stands for it.
int EventRadioOf(int mode);
// The mode a radio button stands for; -1 for no radio.
int EventModeOf(int radio);

// An on/off setting as typed: 1 or true, 0 or false. On refusal `why` says so.
bool ReadSettingFlag(const std::string& text, bool& value, std::string& why);

// One KEY=VALUE of the command line applied to `settings` by the rules above; the keys
// are those `recorder read` prints, and sampleRate. On refusal `error` names the key and
// the rule's message, and the settings are unchanged.
bool ApplySettingAssignment(const std::string& assignment, RecorderSettings& settings,
                            std::string& error);

} // namespace tavo
