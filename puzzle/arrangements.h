// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The arrangement pool: every order of a shelf's N items but the identity,
// which is kept for the matching shelf. An arrangement is a string of N
// characters with code points 1..N; character k names the item (1-based)
// lying in slot k, counted from the left.

#include <QString>

// U+0001 U+0002 ... U+000N.
QString identityArrangement(int itemCount);

// The recursive exchange enumeration. `position` is the 1-based slot still
// to be permuted; `arrangement` is taken by value, each round of the loop
// starting again from the string this call received. Every complete
// arrangement that is not the identity of `itemCount` is appended to `pool`.
void appendArrangements(QString& pool, int position, QString arrangement, int itemCount);

// The whole pool for 3 or 4 items: 5 or 23 arrangements laid end to end.
QString arrangementPool(int itemCount);
