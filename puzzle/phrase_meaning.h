// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a phrase says about the order of the items, read from its own words,
// so that a deal can tell whether another shelf also fits the description.
// Two words of the phrases can be read two ways: "pomiędzy" (right between,
// or anywhere between) and "na prawo/lewo od" (right beside, or anywhere on
// that side). A fair deal deals no other shelf that fits any reading.

#include <QString>

namespace PhraseMeaning {

enum class Reach { Beside, Anywhere };

struct Reading {
    Reach between = Reach::Beside;  // "X leży pomiędzy Y i Z"
    Reach side = Reach::Beside;     // "X leży na prawo od Y"
};

// Whether a shelf whose slots hold the items of `order` (one character per
// slot, the item's number 1.. as its code, as in an arrangement) fits
// phrase `phrase` of `level` read as `reading`. Token d of a phrase is item
// d + 1. Throws GameError for a phrase whose words it cannot read.
bool fits(int level, int phrase, const QString& order, Reading reading);

// Whether the shelf fits the phrase under at least one reading.
bool fitsAnyReading(int level, int phrase, const QString& order);

}  // namespace PhraseMeaning
