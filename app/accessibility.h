// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What assistive technology (AT-SPI on Linux, UI Automation on Windows)
// reads of the window: Polish names, roles and states of every control,
// each shelf named with its items, the description as text, the message bar
// and the round clock. Every name is worked out from the play state and the
// loaded item list at the moment it is asked for.

#include <QString>

class T_Form;

// Installs the interfaces (once per program) and names the window.
void installAccessibility(T_Form* form);

// An item as a screen reader says it, by its picture code: the list's first
// name form, else the picture's name in the archive, else "obrazek nr N".
QString spokenItemName(const T_Form& form, const QString& pictureCode);
