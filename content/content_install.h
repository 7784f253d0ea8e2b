// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Putting a content directory where the game finds it, without ever losing
// the set that was there: the new set is checked, copied into a new
// directory beside the set of its name and swapped in by renames, the set
// before kept as <name>.poprzedni (one previous set is kept). At every
// moment the previous set is whole under its name or as <name>.poprzedni.
// Two places take a set: a game folder, whose Base/ is the set the game
// plays without a choice, and a data directory, whose sets folder
// (trefolia/zestawy/<name>/) holds sets chosen by name, each with a menu
// entry in its applications folder. Folders the package manager owns are
// never written.

#include <QString>

#include <functional>

namespace ContentInstall {

// Copies one file; false when it failed. Replaceable so that a failing copy
// can be tried.
using CopyStep = std::function<bool(const QString& from, const QString& to)>;
bool copyFile(const QString& from, const QString& to);

inline const QString backupSuffix = QStringLiteral(".poprzedni");
inline const QString previousName = QStringLiteral("Base") + backupSuffix;

// True when `path` (with every link resolved, as far as it exists) lies in
// a folder the package manager fills: /usr/bin, /usr/games, /usr/lib,
// /usr/share and their like; /usr/local is the administrator's own.
bool isSystemOwned(const QString& path);

// Installs `contentDir` into `gameFolder` as its Base/. Refuses, changing
// nothing, when the folder holds no game program or belongs to the package
// manager, when `contentDir` is a set folder that was not built, when the
// set fails its check or when a copy fails; throws GameError with the
// reason, in Polish.
void install(const QString& contentDir, const QString& gameFolder, const CopyStep& copy = copyFile);

// Installs `contentDir` as the set `name` in `parent` (created if needed):
// `parent`/<name>/, the set of that name before kept as <name>.poprzedni.
// Refuses as install() does.
void installAs(const QString& contentDir, const QString& parent, const QString& name,
               const CopyStep& copy = copyFile);

// Swaps `parent`/<name> and its <name>.poprzedni (the previous set comes
// back, the one it replaced becomes the previous). Throws GameError when
// there is no previous set, changing nothing.
void restoreAs(const QString& parent, const QString& name);

struct Installed {
    QString folder;     // where the set now is
    QString menuEntry;  // its desktop entry
    bool keptPrevious = false;
};

// Installs `contentDir` as the set `name` of the data directory `dataDir`
// ($XDG_DATA_HOME for one account, /usr/local/share for every account):
// into trefolia/zestawy/<name>/, with the menu entry
// applications/trefolia-<name>.desktop. `forEveryAccount` says which, for
// the message when the folder cannot be written.
Installed installSet(const QString& contentDir, const QString& dataDir, const QString& name, bool forEveryAccount,
                     const CopyStep& copy = copyFile);
// Brings back the previous set `name` of `dataDir` and rewrites its menu entry.
Installed restoreSet(const QString& dataDir, const QString& name, bool forEveryAccount);

// The desktop entry of the installed set `name` whose items are
// `pluralWord` (the set's name when empty), started by `program`.
QString menuEntry(const QString& name, const QString& pluralWord, const QString& program);
// The program a menu entry starts: /usr/games/trefolia where the package put
// it, else trefolia found on the PATH.
QString gameProgram();

}  // namespace ContentInstall
