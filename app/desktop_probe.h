// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Measuring the desktop for `--skala auto`. Qt reads its scaling settings
// (and fixes the font density) once, when the first screen is made; the
// game's own application must be made with the factor already chosen. So
// the program asks a short-lived copy of itself to make one and report.

#include "app/display_scale.h"

#include <QSize>
#include <optional>

namespace DesktopProbe {

struct Measure {
    DisplayScale::Desktop desktop;
    QSize available;  // the primary screen's available area, in device pixels
};

// Set in the copy's environment: it measures, prints and ends.
constexpr char kVariable[] = "TREFOLIA_MEASURE_DESKTOP";

// In the copy: makes the application as the unscaled game does, prints
// the measure on the standard output and returns the exit status.
int measureAndPrint(int argc, char* argv[]);

// In the game, before its application exists: runs the copy and reads
// its answer; nothing when it could not be had.
std::optional<Measure> measure(int argc, char* argv[]);

// The copy's answer, one line; read back by parse.
QByteArray format(const Measure& measure);
std::optional<Measure> parse(const QByteArray& line);

}  // namespace DesktopProbe
