#pragma once
// The program's texts, in one place: printf-style formatting, numbers and dates that
// never follow the user's locale, line ends as files hold them, and the Windows-1252
// code page of flight texts.
//
// Every formatter here writes numbers against a fixed "C" locale, never the process's
// global one, so "%f" always writes a decimal point, as the file formats and the
// drawing's fixed texts require, whatever setlocale a library or Qt has called.
// Exported files go further and never call printf for a number.

#include <cstdarg>
#include <cstdint>
#include <string>

namespace tavo {

// Formats like snprintf, of any length.
std::string StrFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));
// The same over a va_list.
std::string StrFormatV(const char* format, va_list args) __attribute__((format(printf, 1, 0)));
// Formats like StrFormat for the texts the graph and the dialogs show: a NaN prints
// "nan", never "-nan" (its sign means nothing to the user); infinities "inf", "-inf".
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Appends `value` as printf's "%.Nf" does in the C locale; infinities are written
// "inf" and "-inf", and every NaN "nan".
void AppendFixed(std::string& out, double value, int decimals);
// AppendFixed into a fresh string.
std::string FormatFixed(double value, int decimals);
// Appends `value` as printf's "%g" does in the C locale (same rules for inf and nan).
void AppendGeneral(std::string& out, double value);

// The flight date as "Monday December 07 2026" in local time, with English names.
// Empty when the time has no local date on this platform.
std::string FormatFlightDate(std::int64_t secondsSince1970);
// The same date as "%A, %B %d, %Y" prints it in the C locale, for example
// "Saturday, June 01, 2024"; empty when it has no local date.
std::string FormatLongDate(std::int64_t secondsSince1970);

// Appends `text` with each of its line breaks (CR LF, LF or a lone CR) written CR LF,
// so a multi-line text leaves a file with one kind of line end.
void AppendWithCrlf(std::string& out, const std::string& text);

// A message with the reason it is known to have (the system's error text, a file's
// line) below it, after an empty line; the text alone when there is none. Every
// message that can say why is put together here, so the program's own text always
// stands first, whole and on its own line.
std::string WithReason(const std::string& text, const std::string& reason);

// Flight texts are 8-bit strings in Windows-1252, the code page of the machines the
// flight files come from. These convert them for the places that need Unicode (JSON,
// the window) and back.
//
// UTF-16 code units to Windows-1252; characters it cannot hold become '?'.
std::string Utf16ToWindows1252(const std::u16string& text);
// Windows-1252 bytes to UTF-8 (the five unassigned bytes map to U+FFFD).
std::string Windows1252ToUtf8(const std::string& text);
// UTF-8 to Windows-1252; malformed sequences and unmappable characters become '?'.
std::string Utf8ToWindows1252(const std::string& text);

} // namespace tavo
