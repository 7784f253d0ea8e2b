// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/result_format.h"

#include "game/time_format.h"

QString formatGameCount(int count)
{
    return QString::number(count);
}

QString formatBestTime(long double seconds, const QLocale& locale)
{
    if (seconds == kNoBestTime)
        return QStringLiteral("?");
    // The same writing of a time as the message bar's.
    return formatSeconds(seconds, locale) + QStringLiteral(" s");
}
