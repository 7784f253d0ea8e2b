// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The draws of one deal, given the random source: the phrase, the items,
// the place of the matching shelf and the orders of the other shelves.
// Kept apart from the window so that a deal can be replayed from a seed
// and checked without drawing anything.

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>

// A uniform integer in 0 .. n - 1.
using RandomSource = std::function<int(int)>;
// Whether a shelf with the order would also fit the description of the
// phrase drawn: such an order is never dealt beside the matching shelf.
using DescriptionFit = std::function<bool(int phrase, const QString& order)>;

constexpr int PictureCodeWidth = 5;

struct DealPlan {
    int phrase = 0;          // index into the level's phrase table
    int correctShelf = 0;    // the shelf that carries the identity order
    QString items;           // the chosen picture codes, item 1 first, 5 characters each
    QStringList shelves;     // the order of each shelf, shelf 0 first
};

// Draws in this order: phrase (random(phraseCount)), itemCount items
// without replacement from the units of `fruct`, the matching shelf
// (random(shelfCount)), then shelfCount - 1 orders without replacement from
// `pool`, appended after the identity while the countdown k is above the
// matching shelf and put in front of the list from then on. The orders
// that `fits` the phrase drawn are taken out of the pool first, so that the
// deal makes as many draws as without them. Throws GameError when the list
// or the pool is too short for the deal.
DealPlan planDeal(int phraseCount, int itemCount, int shelfCount,
                  const QString& fruct, const QString& pool, const RandomSource& random,
                  const DescriptionFit& fits = {});

// The picture codes of a shelf with the given order, slot 0 first.
QString shelfPictures(const QString& items, const QString& arrangement);

// Index of the first five-character unit of `fruct` equal to `code`; -1 if none.
int firstLineOfCode(const QString& fruct, const QString& code);

// Sets element[d - 1], for each item d of `arrangement`, to the first list
// line that carries item d's picture code. Entries past the item count
// are left alone.
void assignElements(std::array<std::int32_t, 5>& element, const QString& items,
                    const QString& arrangement, const QString& fruct);
