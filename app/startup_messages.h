// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The start-up refusals: each shows one OK-only box and nothing else.

#include <QString>

// Shows the missing-file box and returns true when `path` names no existing
// file (links followed); returns false and shows nothing otherwise.
bool ReportMissingFile(const QString& path);
// The box naming a screen density other than 96 pixels per inch.
void ReportScreenDensity(int dpi);
// The box naming a screen too small for the program.
void ReportScreenTooSmall(int screenWidth, int screenHeight, int programWidth, int programHeight);
// The box of a missing content directory; `directory` keeps its trailing separator.
void ReportMissingDirectory(const QString& directory);
