#pragma once
// What the recorder accepts, in one table for every program that sets or plays it: the
// sample rates and pre-launch sizes it offers and the limits of its whole-number
// settings (the Administer dialog's field limits).

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "device/recorder_settings.h"

namespace tavo {

// The recorder's sample memory, pre-launch ring included.
inline constexpr int kRecorderMemorySamples = 32768;

// The sample rates the recorder offers, in Hz (its period word is 1000 / rate).
inline constexpr std::array<int, 13> kRecorderSampleRates{4,   8,   10,  20,  25,  40,  50,
                                                          100, 125, 200, 250, 500, 1000};
// The pre-launch buffer sizes it offers, in samples.
inline constexpr std::array<int, 7> kRecorderPreLaunchSizes{64, 128, 256, 512, 1024, 2048, 4096};

constexpr bool IsRecorderSampleRate(int rate) {
    return std::find(kRecorderSampleRates.begin(), kRecorderSampleRates.end(), rate) !=
           kRecorderSampleRates.end();
}

// The offered rates as a sentence: "4, 8, ..., 500 and 1000 Hz".
inline std::string RecorderSampleRatesText() {
    std::string text;
    for (std::size_t i = 0; i < kRecorderSampleRates.size(); ++i) {
        if (i > 0)
            text += i + 1 == kRecorderSampleRates.size() ? " and " : ", ";
        text += std::to_string(kRecorderSampleRates[i]);
    }
    return text + " Hz";
}

// A setting that is a whole number within a range, with its command-line key.
struct SettingLimit {
    const char* key;
    int low;
    int high;
    int RecorderSettings::*field;
};

inline constexpr SettingLimit kRecorderSettingLimits[] = {
    {"samplePeriod", 1, 250, &RecorderSettings::m_nSamplePeriod},
    {"preLaunchSamples", 0, 4096, &RecorderSettings::m_nPreLaunchSamples},
    {"eventDelay", 1, 65536, &RecorderSettings::m_nEventDelay},
    {"twoGeeValue", 0, 255, &RecorderSettings::m_nTwoGeeValue},
    {"actionTime", 10, 255, &RecorderSettings::m_nActionTime},
    {"burnOutNumber", 1, 5, &RecorderSettings::m_nBurnOutNumber},
};

// The limit of the setting named `key`, or nullptr.
inline const SettingLimit* FindSettingLimit(const char* key) {
    for (const SettingLimit& limit : kRecorderSettingLimits) {
        if (std::string_view(limit.key) == key)
            return &limit;
    }
    return nullptr;
}

} // namespace tavo
