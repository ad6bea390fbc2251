#include "admin/setting_rules.h"

#include <algorithm>
#include <iterator>

#include "flight/number_text.h"

namespace tavo {
namespace {

// The modes of the radio buttons, in their order.
constexpr int kEventModes[] = {1, 2, 4};
constexpr int kLaunchWithExtraBits = 7;
constexpr const char* kEventModeChoices = "1 (launch), 2 (burn-out), 4 (apogee) or 7";

} // namespace

std::string IntegerBetweenText(int low, int high) {
    return "Please enter an integer between " + std::to_string(low) + " and " +
           std::to_string(high) + ".";
}

bool ReadIntegerWithin(const std::string& text, int low, int high, int& value, std::string& why) {
    int parsed = 0;
    if (!ParseIntegerField(text, parsed)) {
        why = kEnterInteger;
        return false;
    }
    if (parsed < low || parsed > high) {
        why = IntegerBetweenText(low, high);
        return false;
    }
    value = parsed;
    return true;
}

bool CheckSampleRate(int rate, std::string& why) {
    if (IsRecorderSampleRate(rate))
        return true;
    why = "the recorder offers " + RecorderSampleRatesText();
    return false;
}

bool CheckEventMode(int mode, std::string& why) {
    if (mode == kLaunchWithExtraBits ||
        std::find(std::begin(kEventModes), std::end(kEventModes), mode) != std::end(kEventModes))
        return true;
    why = kEventModeChoices;
    return false;
}

int EventRadioOf(int mode) {
    if (mode == kLaunchWithExtraBits)
        return kEventLaunch;
    const int radio = mode / 2;
    return radio >= kEventLaunch && radio <= kEventApogee ? radio : -1;
}

int EventModeOf(int radio) {
    return radio >= kEventLaunch && radio <= kEventApogee ? kEventModes[radio] : -1;
}

bool ReadSettingFlag(const std::string& text, bool& value, std::string& why) {
    if (text == "1" || text == "true") {
        value = true;
        return true;
    }
    if (text == "0" || text == "false") {
        value = false;
        return true;
    }
    why = "expected 0, 1, true or false";
    return false;
}

bool ApplySettingAssignment(const std::string& assignment, RecorderSettings& settings,
                            std::string& error) {
    const auto eq = assignment.find('=');
    if (eq == std::string::npos) {
        error = "expected KEY=VALUE, got '" + assignment + "'";
        return false;
    }
    const std::string key = assignment.substr(0, eq);
    const std::string text = assignment.substr(eq + 1);
    std::string why;
    const auto refuse = [&] {
        error = key + ": " + why;
        return false;
    };
    int number = 0;
    bool flag = false;
    if (key == "sampleRate") {
        if (!ReadIntegerWithin(text, 1, 1000, number, why) || !CheckSampleRate(number, why))
            return refuse();
        settings.m_nSamplePeriod = RateToPeriod(number);
    } else if (const SettingLimit* limit = FindSettingLimit(key.c_str())) {
        if (!ReadIntegerWithin(text, limit->low, limit->high, number, why))
            return refuse();
        settings.*(limit->field) = number;
    } else if (key == "eventMode") {
        // A text that is no number is refused with the modes there are.
        if (!ParseIntegerField(text, number))
            number = 0;
        if (!CheckEventMode(number, why))
            return refuse();
        settings.m_nEventMode = number;
    } else if (key == "breakwire" || key == "normallyClosed") {
        if (!ReadSettingFlag(text, flag, why))
            return refuse();
        (key == "breakwire" ? settings.m_bBreakwire : settings.m_bNormallyClosed) = flag;
    } else {
        error = "unknown setting '" + key + "'";
        return false;
    }
    return true;
}

} // namespace tavo
