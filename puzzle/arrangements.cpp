// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle/arrangements.h"

QString identityArrangement(int itemCount)
{
    QString identity;
    for (int item = 1; item <= itemCount; ++item)
        identity += QChar(char16_t(item));
    return identity;
}

void appendArrangements(QString& pool, int position, QString arrangement, int itemCount)
{
    const int length = int(arrangement.size());
    if (position > length) {
        if (arrangement != identityArrangement(itemCount))
            pool += arrangement;
        return;
    }
    for (int j = position; j <= length; ++j) {
        // A fresh copy each round: the exchanges of earlier rounds are not carried over.
        QString copy = arrangement;
        std::swap(copy[position - 1], copy[j - 1]);
        appendArrangements(pool, position + 1, copy, itemCount);
    }
}

QString arrangementPool(int itemCount)
{
    QString pool;
    appendArrangements(pool, 1, identityArrangement(itemCount), itemCount);
    return pool;
}
