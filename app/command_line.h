// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's command line: which set to play, or the list of the installed
// sets. Read before any window exists, so that listing the sets or refusing
// a name needs no display.
//   trefolia                    the set in Base/ beside the program
//   trefolia --set NAME         an installed set (trefolia/zestawy/NAME in
//                               the XDG data directories)
//   trefolia --set FOLDER       the content directory FOLDER
//   trefolia --list-sets        one line per installed set: name, tab, folder
//   trefolia --skala N|auto     the whole window drawn at N per cent (100 to
//                               300), or at the desktop's own scale where it fits
//   trefolia --kontrast         the high-contrast view for low vision
// Options the game does not know that begin with one dash are Qt's own
// (-platform, -style …) and are left to it.

#include <QString>
#include <QStringList>

struct LaunchChoice {
    enum class Action {
        Play,    // start the game with contentDir
        Print,   // write text to the standard output and end with exitCode
        Refuse,  // write text to the standard error and end with exitCode
    };
    Action action = Action::Play;
    QString contentDir;  // Play: the chosen set's folder; empty: Base/ beside the program
    QString text;        // Print, Refuse: what to write, ending with a new line
    int exitCode = 0;
    // Play: the scale asked for. No scale: the window at 100 %, as the
    // start-up checks require; scaleAuto: the desktop's own scale.
    int scalePercent = 0;  // 100 .. 300; 0: none asked for
    bool scaleAuto = false;
    bool highContrast = false;  // --kontrast
};

// What `arguments` (the program's name first) ask for. Never ends the
// program and writes nothing itself.
LaunchChoice chooseLaunch(const QStringList& arguments);
