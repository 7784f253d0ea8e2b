// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where installed sets live. A set is a content directory named after the
// set, under trefolia/zestawy/ of an XDG data directory: the user's own
// ($XDG_DATA_HOME, ~/.local/share by default) first, then each of
// $XDG_DATA_DIRS (/usr/local/share and /usr/share by default), so a
// teacher's set shadows a shipped set of the same name. On Windows the data
// directories are Qt's there: %LOCALAPPDATA%, %ProgramData%, then the
// program's folder (where the installer puts the shipped sets). The game's
// default set stays Base/ beside the program.

#include <QList>
#include <QString>
#include <QStringList>

namespace SetLocations {

// The sets folder below a data directory.
inline const QString setsSubfolder = QStringLiteral("trefolia/zestawy");

// Every folder that may hold sets, most personal first.
QStringList setRoots();

// Where `install --user` and `install --system` put a set: the sets folder
// of the user's data directory ($XDG_DATA_HOME, ~/.local/share by default)
// and of /usr/local/share (%LOCALAPPDATA% and %ProgramData% on Windows).
QString userRoot();
QString systemRoot();
QString userDataDir();
QString systemDataDir();

// A set name is one folder name: letters (Polish ones too), digits, '-' and
// '_', at most 64 characters.
bool isValidSetName(const QString& name);

// True when `folder` holds an installed content directory (its archive).
bool holdsContent(const QString& folder);

struct InstalledSet {
    QString name;
    QString folder;  // absolute, no trailing separator
    bool operator==(const InstalledSet&) const = default;
};

// Every installed set, each name once (the most personal root wins),
// sorted by name.
QList<InstalledSet> installedSets();

// The folder of the installed set `name`; empty when there is none.
QString findSet(const QString& name);

}  // namespace SetLocations
