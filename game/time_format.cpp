// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/time_format.h"

QString formatSeconds(long double seconds, const QLocale& locale)
{
    // Game times stay well below a thousand seconds, but a group separator
    // would turn "1234,5" into "1 234,5"; times are written as one number.
    QLocale plain(locale);
    plain.setNumberOptions(plain.numberOptions() | QLocale::OmitGroupSeparator);
    return plain.toString(static_cast<double>(seconds), 'f', 1);
}

QString formatSeconds(long double seconds)
{
    return formatSeconds(seconds, QLocale());
}
