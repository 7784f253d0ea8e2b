// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A teacher's set folder read whole into memory: pictures.txt (each line an
// emoji or a picture file), F.txt, G.txt, H.txt, the sound cues A.wav,
// B.wav, C.wav where the folder has them (the synthesised cues otherwise)
// and the optional plural word of nazwa.txt. Texts are read as UTF-8, or
// as Windows-1250 with a warning (content/set_text.h). Every fault names
// the teacher's own file and its line. Nothing is written.
// Rendering needs a QGuiApplication.

#include "content/archive_writer.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>

namespace SetFolder {

struct Contents {
    QList<ArchiveWriter::Picture> pictures;  // as they go into the archive
    std::array<QStringList, 3> lists;         // F.tx, G.tx, H.tx, laid out in their columns
    std::array<QByteArray, 3> cues;           // A.wv, B.wv, C.wv
    QString pluralWord;                       // of nazwa.txt; empty without one
    QStringList warnings;                     // worth a look, but the set works
    QStringList faults;                       // readAll only: what must be mended
};

// The list files of a content directory and the sources they come from.
inline constexpr std::array<const char*, 3> listSources = {"F.txt", "G.txt", "H.txt"};
inline constexpr std::array<const char*, 3> listFiles = {"F.tx", "G.tx", "H.tx"};
inline constexpr std::array<const char*, 3> cueSources = {"A.wav", "B.wav", "C.wav"};
inline constexpr std::array<const char*, 3> cueFiles = {"A.wv", "B.wv", "C.wv"};

// The folder read, every fault found (not only the first) throwing one
// GameError that lists them all.
Contents read(const QString& folder);
// The folder read as far as it goes, for the proof page of a set with
// faults: a picture that cannot be made is left plain, a wrong list line
// out, and the faults are listed in `faults`. Throws only when the folder
// does not exist.
Contents readAll(const QString& folder);

// True when `folder` looks like a set folder (it has pictures.txt).
bool isSetFolder(const QString& folder);

}  // namespace SetFolder
