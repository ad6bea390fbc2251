#pragma once
// Reads RASP ".eng" motor files as the field's simulators and curve collections read
// them: leniently, with a warning for what a strict reader would refuse but the intent
// is plain (a repeated time, a curve not closed at 0, extra header fields), and a refusal
// naming the motor and the line for what cannot be flown. One damaged motor does not
// hide the others of its file.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "motor/eng_motor.h"

namespace tavo {

// Far above any published motor file (the largest hold a few thousand points).
constexpr std::uintmax_t kMaxEngFileBytes = 1u << 20;

struct RaspRefusal {
    std::string motor;    // the header's designation, or empty before any header
    std::size_t line = 0; // 1-based
    std::string reason;
};

struct RaspFile {
    std::vector<EngMotor> motors;
    std::vector<RaspRefusal> refused;
    std::vector<std::string> warnings; // about the file as a whole (a byte-order mark)
};

// Reads every motor of the text; never fails as a whole (an empty result says why in
// `refused`, or holds nothing at all for a file without a motor).
void ReadRaspText(std::string_view text, RaspFile& file);

// Reads a file. False, with the system's `reason`, when it cannot be read at all:
// not a regular file (a pipe or a device is refused at once, never waited on), larger
// than kMaxEngFileBytes, or unreadable. A readable file returns true even when every
// motor in it was refused.
bool LoadRaspFile(const std::string& path, RaspFile& file, std::string& reason);

// "motor C6, line 12: reason" (or "line 12: ..." without a designation).
std::string RefusalText(const RaspRefusal& refusal);

// Loads the motors of a file for a program that flies them: false, with `reason`
// naming the file and every refusal, when the file gives no motor at all.
bool LoadEngFile(const std::string& path, std::vector<EngMotor>& motors, std::string& reason);

} // namespace tavo
