// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/display_scale.h"

#include <QtGlobal>
#include <algorithm>
#include <cmath>

namespace DisplayScale {

namespace {

constexpr double kBaseDpi = 96;
constexpr double kStep = 0.25;

// The screen's own factor, without the part QT_SCALE_FACTOR adds: Qt
// divides the logical density by it, but not by the global factor.
double screenFactor(const Desktop& desktop)
{
    return desktop.globalFactor > 0 ? desktop.devicePixelRatio / desktop.globalFactor : desktop.devicePixelRatio;
}

bool fits(QSize available, double factor)
{
    const QSize window = scaled(WindowSize, factor);
    return window.width() <= available.width() && window.height() <= available.height();
}

}  // namespace

int desktopDensity(const Desktop& desktop)
{
    const double factor = screenFactor(desktop);
    return qRound(desktop.logicalDpi * factor * factor);
}

double desktopScale(const Desktop& desktop)
{
    return desktop.logicalDpi * screenFactor(desktop) * screenFactor(desktop) * desktop.globalFactor / kBaseDpi;
}

double globalFactorFromEnvironment()
{
    bool ok = false;
    const double factor = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
    return ok && factor > 0 ? factor : 1;
}

QSize scaled(QSize size, double factor)
{
    return QSize(qRound(size.width() * factor), qRound(size.height() * factor));
}

double automaticFactor(double desktopScale, QSize available)
{
    const double ceiling = std::min(desktopScale, MaximumPercent / 100.0);
    if (ceiling <= 1)
        return 1;
    if (fits(available, ceiling))
        return ceiling;
    for (double factor = std::floor(ceiling / kStep) * kStep; factor > 1; factor -= kStep)
        if (factor < ceiling && fits(available, factor))
            return factor;
    return 1;
}

}  // namespace DisplayScale
