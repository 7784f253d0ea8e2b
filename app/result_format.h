// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the results panel writes its values.

#include <QLocale>
#include <QString>

// No best time yet: the results panel shows "?" for it.
constexpr long double kNoBestTime = 121.0L;

// A count of games in plain decimal digits.
QString formatGameCount(int count);
// A best time with one decimal and the locale's decimal separator, then " s";
// "?" while there is none (kNoBestTime).
QString formatBestTime(long double seconds, const QLocale& locale = QLocale());
