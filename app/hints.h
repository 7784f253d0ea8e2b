// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Hints (tool tips) of the whole application: shown for as long as the hide
// pause says, multi-line where the text separates its lines by a carriage
// return alone.

#include <QString>

// Turns on the game's own hint handling for every widget (once is enough).
void enableHints();
// How long a hint stays up, in milliseconds.
void setHintHidePause(int ms);
int hintHidePause();
// The text as the hint window shows it: every line break (CR, CR LF or LF)
// becomes a newline.
QString hintDisplayText(const QString& hint);
