// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The programs' text console as each system has it. On Linux the arguments
// and the terminal are UTF-8 already and these change nothing; on Windows
// the arguments come from the UTF-16 command line (argv holds them in the
// ANSI code page, which cannot carry every file name), and the console is
// switched to UTF-8 output so that Polish messages written as UTF-8 show as
// they should, in cmd.exe and in PowerShell alike.
#include <QStringList>

namespace Console {

// The program's arguments, argv[0] first.
QStringList arguments(int argc, char* argv[]);

// Makes a console that shows the program's output show UTF-8. A program
// without a console of its own (the game, a Windows GUI program) writes to
// the console it was started from, if any, unless its output is redirected.
void useUtf8();

}  // namespace Console
