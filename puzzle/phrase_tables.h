// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The phrase tables: the sentence templates that describe the matching
// shelf, one table per level. A phrase is twelve strings: 1 the tokens
// (one digit per token: 0..4 the item in that slot of the matching shelf,
// 5 no item), 2 the name forms, 3 the case flags ("0" lower-cases the name),
// 4..12 the connectors 1..9, connector k following token k.

#include <QString>

namespace PhraseTables {

constexpr int StringsPerPhrase = 12;
constexpr int TokenString = 1;
constexpr int FormString = 2;
constexpr int FlagString = 3;
constexpr int FirstConnector = 4;

// 12, 6, 10 and 8 phrases on the level indices 0..3; 0 for any other level.
int phraseCount(int level);

// String `stringNo` (1..12) of phrase `phrase` (0-based) of level `level`
// (0..3); an empty string when any of them is out of range.
QString phraseString(int level, int phrase, int stringNo);

inline QString tokens(int level, int phrase) { return phraseString(level, phrase, TokenString); }
inline QString forms(int level, int phrase) { return phraseString(level, phrase, FormString); }
inline QString flags(int level, int phrase) { return phraseString(level, phrase, FlagString); }
// Connector k (1..9), the text that follows token k.
inline QString connector(int level, int phrase, int k) { return phraseString(level, phrase, FirstConnector + k - 1); }

}  // namespace PhraseTables
