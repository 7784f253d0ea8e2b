// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's exit statuses: 0 after a game ended by closing the window,
// another number for each kind of refused start, so that a script or a
// menu can tell them apart (the manual page lists them).

namespace ExitStatus {
constexpr int Played = 0;
constexpr int CommandLine = 2;     // a wrong option, an unknown set
constexpr int MissingContent = 3;  // the content directory or one of its files is missing
constexpr int ScreenDensity = 4;   // the screen's density is not 96 ppi
constexpr int ScreenTooSmall = 5;  // the window does not fit the screen
}  // namespace ExitStatus
