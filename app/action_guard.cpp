// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/action_guard.h"

QString errorBoxText(const QString& message)
{
    if (message.isEmpty() || message.back().unicode() <= 46)
        return message;
    return message + QLatin1Char('.');
}
