// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle/deal.h"

#include "content/game_error.h"
#include "puzzle/arrangements.h"

namespace {

QString unitAt(const QString& packed, int index, int width)
{
    return packed.mid(qsizetype(index) * width, width);
}

}  // namespace

DealPlan planDeal(int phraseCount, int itemCount, int shelfCount,
                  const QString& fruct, const QString& pool, const RandomSource& random,
                  const DescriptionFit& fits)
{
    // PrepareGame rejects short lists before a deal starts; this keeps a
    // deal without a game set-up from reading past its lists.
    if (phraseCount < 1 || itemCount < 1 || shelfCount < 1
        || fruct.size() / PictureCodeWidth < itemCount
        || pool.size() / itemCount < shelfCount - 1)
        throw GameError(QStringLiteral("Nie można rozdać półek: lista przedmiotów jest za krótka"));

    DealPlan plan;
    plan.phrase = random(phraseCount);

    QString left = fruct.left(fruct.size() / PictureCodeWidth * PictureCodeWidth);
    for (int drawn = 0; drawn < itemCount; ++drawn) {
        const int r = random(int(left.size() / PictureCodeWidth));
        plan.items += unitAt(left, r, PictureCodeWidth);
        left.remove(qsizetype(r) * PictureCodeWidth, PictureCodeWidth);
    }

    plan.correctShelf = random(shelfCount);

    plan.shelves.append(identityArrangement(itemCount));
    QString orders;
    for (int unit = 0; unit < int(pool.size() / itemCount); ++unit) {
        const QString order = unitAt(pool, unit, itemCount);
        if (!fits || !fits(plan.phrase, order))
            orders += order;
    }
    if (orders.size() / itemCount < shelfCount - 1)
        throw GameError(QStringLiteral("Nie można rozdać półek: za mało ułożeń niepasujących do opisu"));
    for (int k = shelfCount - 1; k >= 1; --k) {
        const int r = random(int(orders.size() / itemCount));
        const QString order = unitAt(orders, r, itemCount);
        if (k > plan.correctShelf)
            plan.shelves.append(order);
        else
            plan.shelves.prepend(order);
        orders.remove(qsizetype(r) * itemCount, itemCount);
    }
    return plan;
}

QString shelfPictures(const QString& items, const QString& arrangement)
{
    QString pictures;
    for (const QChar c : arrangement)
        pictures += unitAt(items, c.unicode() - 1, PictureCodeWidth);
    return pictures;
}

int firstLineOfCode(const QString& fruct, const QString& code)
{
    const int units = int(fruct.size() / PictureCodeWidth);
    for (int j = 0; j < units; ++j) {
        if (QStringView(fruct).mid(qsizetype(j) * PictureCodeWidth, PictureCodeWidth) == code)
            return j;
    }
    return -1;
}

void assignElements(std::array<std::int32_t, 5>& element, const QString& items,
                    const QString& arrangement, const QString& fruct)
{
    for (const QChar c : arrangement) {
        const int d = c.unicode();
        if (d >= 1 && d <= int(element.size()))
            element[size_t(d - 1)] = firstLineOfCode(fruct, unitAt(items, d - 1, PictureCodeWidth));
    }
}
