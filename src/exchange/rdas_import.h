#pragma once
// Import of the text files that RDAS data-acquisition recorders write: the sample rate
// from the "Data is sampled at" line and the second column of the raw-data table,
// whose values are taken as recorder sample words.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "flight/flight_record.h"

namespace tavo {

// Only this many characters of a line are read; the rest of a longer line is dropped
// (read as a line of its own it would add a bogus sample to the table).
constexpr std::size_t kRdasLineChars = 99;
// Bounds on what an import takes in, far above any recording.
constexpr std::uintmax_t kMaxRdasFileBytes = 128ull * 1024 * 1024;
constexpr std::size_t kMaxRdasSamples = 4u * 1024 * 1024;

struct RdasTable {
    int sampleRate = 0;
    std::vector<std::string> values; // one per table line, as text
};

// Reads the rate at the start of `text` as the import always has: blanks skipped, then
// a decimal number (sign, digits, point, exponent) up to the first character that
// cannot continue it, truncated toward zero. No number gives 0; a value beyond the
// integer range saturates.
int ReadRdasRate(const char* text, std::size_t length);

// Parses an RDAS text. Fails, with a reason, when there is no rate line followed by the
// raw-data marker and the table header, when the table has no line, when it holds more
// than kMaxRdasSamples lines, or when a table line (named by its line number) has no
// second-column value ended by a blank, a value that is no number, or is blank with
// table lines after it; `table` is then untouched. Blank lines ending the table are
// not samples.
bool ParseRdasText(const char* data, std::size_t size, RdasTable& table, std::string& reason);

// Reads and parses an RDAS file (see ParseRdasText).
bool ReadRdasFile(const std::string& path, RdasTable& table, std::string& reason);

} // namespace tavo
