#pragma once
// The "Comm port" box of the Administer and Setup dialogs: an editable drop-down whose
// list shows each port's name beside its device and description, and whose edit holds
// the name that is stored and opened, so "COM1:" or a path can still be typed.

#include <QString>
#include <string>
#include <vector>

#include "device/port_list.h"

class QComboBox;

namespace tavo {

// Fills `combo` with `choices` and shows `current` in its edit, selecting the entry it
// names. The combo becomes editable.
void FillPortCombo(QComboBox& combo, const std::vector<PortChoice>& choices,
                   const QString& current);

} // namespace tavo
