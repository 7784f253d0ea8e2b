// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Putting a content directory into a game folder as its Base/, without ever
// losing the set that was there: the new set is checked, copied into a new
// directory beside Base/ and swapped in by renames, the previous set kept as
// Base.poprzedni (one previous set is kept). At every moment the previous
// set is whole in Base/ or in Base.poprzedni.

#include <QString>

#include <functional>

namespace ContentInstall {

// Copies one file; false when it failed. Replaceable so that a failing copy
// can be tried.
using CopyStep = std::function<bool(const QString& from, const QString& to)>;
bool copyFile(const QString& from, const QString& to);

inline const QString previousName = QStringLiteral("Base.poprzedni");

// Installs `contentDir` into `gameFolder`. Refuses, changing nothing, when
// the folder holds no game program, when the set fails its check or when
// a copy fails; throws GameError with the reason, in Polish.
void install(const QString& contentDir, const QString& gameFolder, const CopyStep& copy = copyFile);

}  // namespace ContentInstall
