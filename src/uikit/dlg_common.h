#pragma once
// What the program's Qt dialogs share: converting the flight's 8-bit texts, the OK and
// Cancel layout, reading numeric edits with the fixed refusal messages, and sizes in
// dialog units.

#include <string>

#include <QSize>
#include <QString>

class QDialog;
class QDialogButtonBox;
class QLayout;
class QLineEdit;
class QWidget;

namespace tavo {

class UserPrompt;

// Windows-1252 flight text to and from the window's Unicode.
QString FromFlightText(const std::string& text);
std::string ToFlightText(const QString& text);
// The text of an edit as flight text.
std::string ToFlightText(const QLineEdit* edit);

// UTF-8 (the prompt's texts, file names) to and from the window's Unicode.
QString FromUtf8(const std::string& text);
std::string ToUtf8(const QString& text);

// Lays the dialog out as its fields above OK and Cancel, which accept and reject it.
// Returns the button box, for a dialog with a button of its own.
QDialogButtonBox* LayOutWithOkCancel(QDialog& dialog, QLayout* fields);

// Reads a numeric edit; on refusal tells the user ("Please enter an integer." or
// "Please enter a number.", captioned with the application's title), focuses the edit
// with its text selected, and returns false.
bool ReadIntegerEdit(QLineEdit* edit, int& value, UserPrompt& prompt);
bool ReadRealEdit(QLineEdit* edit, float& value, UserPrompt& prompt);

// Dialog units of the widget's font to pixels, the way the windows' sizes are given.
QSize DialogUnitsToPixels(const QWidget& widget, int horizontal, int vertical);

} // namespace tavo
