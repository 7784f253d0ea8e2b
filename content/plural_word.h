// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plural word of a set: the noun for its items in the plural
// ("zwierzęta", "owoce"), kept in the optional file nazwa.txt of the set
// folder and of the content directory built from it. The file holds one
// UTF-8 line; the game writes the word under its logo and the set's menu
// entry is named after it.

#include <QString>

namespace PluralWord {

inline const QString fileName = QStringLiteral("nazwa.txt");
inline constexpr int maxLength = 40;  // characters

// The word of a nazwa.txt whose text is `text`: its one line, trimmed.
// Throws GameError naming nazwa.txt (and the line) when the file is empty,
// holds more than one line or a word longer than maxLength characters.
// Line breaks at the end are harmless.
QString parse(const QString& text);

// The word of the content directory `dir`; empty when it has no nazwa.txt
// or the file is not a valid one.
QString read(const QString& dir);

}  // namespace PluralWord
