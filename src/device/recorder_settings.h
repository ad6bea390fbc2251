#pragma once
// The recorder's settings memory map and the program's values of it.

#include <cstdint>

namespace tavo {

// Byte addresses of the settings words.
namespace address {
constexpr int kSerialNumber = 0;
constexpr int kSamplePeriod = 2;
constexpr int kEventMode = 4;
constexpr int kEventDelay = 6;
constexpr int kTwoGee = 8;
constexpr int kPreLaunch = 10;
constexpr int kAccelOffset = 12;
constexpr int kActionTime = 16;
constexpr int kBurnOutNumber = 18;
constexpr int kFlags = 20;
} // namespace address

constexpr int kFlagBreakwire = 1;
constexpr int kFlagNormallyClosed = 32;
constexpr int kMinPreLaunchSamples = 64;
constexpr int kFirstFullFeatureFirmware = 210;

struct RecorderSettings {
    int m_nSamplePeriod = 5;
    int m_nPreLaunchSamples = 256;
    int m_nEventMode = 4;
    int m_nEventDelay = 1;
    int m_nTwoGeeValue = 15;
    int m_nActionTime = 200;
    int m_nBurnOutNumber = 1;
    bool m_bBreakwire = false;
    bool m_bNormallyClosed = true;
};

// The factory values the Set Defaults button restores.
RecorderSettings DefaultRecorderSettings();

// Sample rate in Hz to the period word: 1000 / rate. A rate of 0 or less has no
// period and gives 0.
int RateToPeriod(int rate);
// The period word to a rate: 1000 / period. A period of 0 has no rate and gives 0.
int PeriodToRate(int period);
int PreLaunchToWord(int samples);
int WordToPreLaunch(int word);
int FlagsToWord(bool breakwire, bool normallyClosed);
void WordToFlags(int word, bool& breakwire, bool& normallyClosed);
// A value's two bytes on the wire: value mod 256, then (value / 256) mod 256, so
// 65536 goes out as 0, 0.
std::uint8_t LowByte(long value);
std::uint8_t HighByte(long value);

} // namespace tavo
