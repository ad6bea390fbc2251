#pragma once
// The numeric fields of the dialogs: how a value is shown and how typed text is read.
// Text that is not a number is refused with the dialogs' fixed messages.

#include <string>

namespace tavo {

constexpr const char* kEnterInteger = "Please enter an integer.";
constexpr const char* kEnterNumber = "Please enter a number.";

// Decimal text of an integer field.
std::string FormatIntegerField(int value);
// A real field: up to 6 significant digits.
std::string FormatRealField(float value);

// Reads an integer field: optional blanks and sign, digits, optional blanks; nothing
// else, and within the int range. False means refuse with kEnterInteger.
bool ParseIntegerField(const std::string& text, int& value);
// Reads a real field (C locale decimal point), finite and within float's range.
// False means refuse with kEnterNumber.
bool ParseRealField(const std::string& text, float& value);

} // namespace tavo
