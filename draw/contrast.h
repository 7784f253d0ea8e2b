// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Contrast between two colours as WCAG 2.1 measures it: the relative
// luminance of each sRGB colour, and their ratio from 1 (the same) to 21
// (black on white). Text needs 4.5, marks and states a pupil must see 3.

#include <QColor>

namespace Contrast {
inline constexpr double TextMinimum = 4.5;
inline constexpr double MarkMinimum = 3.0;

// 0 for black to 1 for white; alpha is ignored.
double relativeLuminance(const QColor& colour);
// (L1 + 0.05) / (L2 + 0.05) with L1 the lighter colour's luminance.
double ratio(const QColor& a, const QColor& b);
}  // namespace Contrast
