// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the game writes a time in seconds for the player: fixed-point with
// exactly one decimal and the decimal separator of the user's regional
// settings ("12,3" on a Polish system). The success message and the results
// panel share it, so both show a time the same way.

#include <QLocale>
#include <QString>

// `seconds` rounded to one decimal in `locale`, without group separators.
QString formatSeconds(long double seconds, const QLocale& locale);
// The same in the default locale (the user's regional settings).
QString formatSeconds(long double seconds);
