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

// The page for the content directory `contentDir`, whose check found `faults`
// and `warnings`.
QString page(const QString& contentDir, const QString& title, const QStringList& faults,
             const QStringList& warnings = {});

// Writes the page of `source` (a set folder, built into a scratch directory
// first as far as it goes, so that a folder with faults still gets its page
// listing them, or a content directory) to `htmlPath`, under the title
// `title` (the source's folder name when empty); returns the faults, and
// the warnings in `warnings` where given. Throws GameError when the source
// is neither or the page cannot be written.
QStringList write(const QString& source, const QString& htmlPath, QStringList* warnings = nullptr,
                  const QString& title = {});

}  // namespace ContentProof
