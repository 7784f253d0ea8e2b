// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The scale the window is drawn at. The layout is fixed in pixels of a
// 96-ppi screen; Qt's own high-DPI scaling draws it larger as a whole, so
// text, pictures, cursors and the focus ring grow together and the mouse
// and keys work exactly as at 100 %. These are the rules of the choice;
// measuring the desktop and telling Qt are the program entry's.

#include <QSize>

namespace DisplayScale {

// What the desktop says of its primary screen, read as Qt reports it with
// its platform scaling off: the logical density (Xft.dpi on X11), the
// device pixel ratio (QT_SCREEN_SCALE_FACTORS times QT_SCALE_FACTOR) and
// the part of that ratio which is QT_SCALE_FACTOR's.
struct Desktop {
    double logicalDpi = 96;
    double devicePixelRatio = 1;
    double globalFactor = 1;
};

// The desktop's own scale: 1.25 for "large text" (Xft.dpi 120), 2 for a
// screen scaled by 2 whatever the variable that scales it.
double desktopScale(const Desktop& desktop);
// The density the desktop draws text at, in pixels per inch of its screen
// (192 for a screen scaled by 2, where Qt reports 48 per scaled pixel).
int desktopDensity(const Desktop& desktop);

// The global factor QT_SCALE_FACTOR sets, 1 when unset or unusable.
double globalFactorFromEnvironment();

// The window's outer size at 100 %, the size the screen must hold.
constexpr QSize WindowSize{800, 600};
constexpr int MinimumPercent = 100;
constexpr int MaximumPercent = 300;

// The factor `--skala auto` draws at: the desktop's own scale when the
// window fits `available` (device pixels) at it, else the largest quarter
// step below it that fits; never below 1. Whether it fits at 1 is the
// start-up size check's to say.
double automaticFactor(double desktopScale, QSize available);

// `size` at `factor`, rounded to whole device pixels.
QSize scaled(QSize size, double factor);

}  // namespace DisplayScale
