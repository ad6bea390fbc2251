#pragma once
// What the display dialogs share: converting the flight's 8-bit texts, and the one
// place a refusal message is shown (tests replace it to read the message).

#include <functional>
#include <string>

#include <QString>

class QDialog;
class QDialogButtonBox;
class QLayout;
class QLineEdit;
class QWidget;

namespace tavo {

// Shows a refusal such as "Please enter a number." over the dialog.
using DialogMessage = std::function<void(QWidget* parent, const QString& text)>;
// The message box the program uses: caption "TAVOkit", one OK button.
DialogMessage DefaultDialogMessage();

// Windows-1252 flight text to and from the window's Unicode.
QString FromFlightText(const std::string& text);
std::string ToFlightText(const QString& text);

// Lays the dialog out as its fields above OK and Cancel, which accept and reject it.
// Returns the button box, for a dialog with a button of its own.
QDialogButtonBox* LayOutWithOkCancel(QDialog& dialog, QLayout* fields);

// Reads a numeric edit; on refusal shows the message, focuses the edit, returns false.
bool ReadIntegerEdit(QLineEdit* edit, int& value, const DialogMessage& message);
bool ReadRealEdit(QLineEdit* edit, float& value, const DialogMessage& message);

} // namespace tavo
