// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The proof page of a set: one self-contained HTML file (pictures embedded
// as data: URIs) that a teacher reads or prints before class. It shows every
// picture at the sizes the game draws it, with its code and name forms,
// every line of every list with the levels that use it, for the word levels
// the sentences the descriptions make of each line's forms, and what the
// content check found.

#include <QString>
#include <QStringList>

namespace ContentProof {

// The page for the content directory `contentDir`, whose check found `faults`.
QString page(const QString& contentDir, const QString& title, const QStringList& faults);

// Writes the page of `source` (a set folder, built into a scratch directory
// first, or a content directory) to `htmlPath`; returns the check's faults.
// Throws GameError when the source cannot be read or the page written.
QStringList write(const QString& source, const QString& htmlPath);

}  // namespace ContentProof
