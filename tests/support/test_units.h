// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Splits a packed string of fixed-width units (arrangements, picture codes)
// into its units, the way the tests read the play state's strings.

#include <QString>
#include <QStringList>

inline QStringList unitsOf(const QString& packed, int width)
{
    QStringList units;
    for (int i = 0; i < packed.size(); i += width)
        units.append(packed.mid(i, width));
    return units;
}
