#include "device/recorder_settings.h"

namespace tavo {

RecorderSettings DefaultRecorderSettings() {
    return RecorderSettings{};
}

int RateToPeriod(int rate) {
    return rate > 0 ? 1000 / rate : 0;
}

int PeriodToRate(int period) {
    return period > 0 ? 1000 / period : 0;
}

int PreLaunchToWord(int samples) {
    return 2 * samples;
}

int WordToPreLaunch(int word) {
    return word / 2;
}

int FlagsToWord(bool breakwire, bool normallyClosed) {
    return (breakwire ? kFlagBreakwire : 0) + (normallyClosed ? kFlagNormallyClosed : 0);
}

void WordToFlags(int word, bool& breakwire, bool& normallyClosed) {
    breakwire = (word & kFlagBreakwire) != 0;
    normallyClosed = (word & kFlagNormallyClosed) != 0;
}

std::uint8_t LowByte(long value) {
    return static_cast<std::uint8_t>(static_cast<unsigned long>(value) & 0xFFu);
}

std::uint8_t HighByte(long value) {
    return static_cast<std::uint8_t>((static_cast<unsigned long>(value) >> 8) & 0xFFu);
}

} // namespace tavo
