// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A teacher's set folder read whole into memory: pictures.txt (each line an
// emoji or a picture file), F.txt, G.txt, H.txt, and the sound cues A.wav,
// B.wav, C.wav where the folder has them (the synthesised cues otherwise).
// Nothing is written; any fault throws GameError naming the file and line.
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
};

// The list files of a content directory and the sources they come from.
inline constexpr std::array<const char*, 3> listSources = {"F.txt", "G.txt", "H.txt"};
inline constexpr std::array<const char*, 3> listFiles = {"F.tx", "G.tx", "H.tx"};
inline constexpr std::array<const char*, 3> cueSources = {"A.wav", "B.wav", "C.wav"};
inline constexpr std::array<const char*, 3> cueFiles = {"A.wv", "B.wv", "C.wv"};

Contents read(const QString& folder);

// True when `folder` looks like a set folder (it has pictures.txt).
bool isSetFolder(const QString& folder);

}  // namespace SetFolder
