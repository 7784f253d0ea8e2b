// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The check of a whole content directory, run on every build of Base/ and by
// content authors (trefolia-content check): everything the game relies on,
// reported as a list of Polish faults, empty when the directory is sound.

#include <QString>
#include <QStringList>

namespace ContentCheck {

// The eight files of a content directory, in the order the game tests them.
QStringList contentFiles();
// The files a content directory may have besides them (nazwa.txt).
QStringList optionalFiles();

// Faults of the content directory `directory`: a missing file, a sound cue
// that is not plain PCM WAV, a picture that does not decode, and item lists
// that break a rule of the game (a line without an existing picture,
// repeated codes, fewer than four lines, on levels 3 and 4 a name form that
// is missing, not one word or over 29 characters), a nazwa.txt that is not
// one line of a plural word.
QStringList checkDirectory(const QString& directory);

// The faults of one item list alone; `pictures` holds the number of every
// picture of the archive that decodes, `withForms` asks for the name forms.
// A fault names line i as `lineNumbers[i]` where given (the line of the
// teacher's own file the item came from), else as i + 1.
QStringList checkList(const QString& fileName, const QStringList& lines, const QList<int>& pictures, bool withForms,
                      const QList<int>& lineNumbers = {});

}  // namespace ContentCheck
