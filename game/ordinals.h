// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Polish ordinal words of the success message ("ukończona pierwsza gra
// tej rundy"): feminine forms agreeing with "gra", by the number of games
// completed in the round.

#include <QString>

// The word for the `count`-th game of a round: "pierwsza" .. "dwudziesta"
// for 1 to 20, "następna" from 21 on; empty for 0 and below.
QString ordinalWord(int count);
