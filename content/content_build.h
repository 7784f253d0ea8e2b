// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Making a content directory from a set folder (data/ for the fruit set
// that ships): the item pictures rendered from the Noto Color Emoji font or
// fitted from picture files onto an opaque light ground and packed into the
// archive, the item lists laid out in their columns, the sound cues taken
// from the folder or synthesised. Also packing a folder of PNG files.
// Rendering needs a QGuiApplication.

#include <QColor>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

namespace SetFolder {
struct Contents;
}

namespace ContentBuild {

inline constexpr int pictureSide = 128;
inline const QColor pictureGround{0xFF, 0xF8, 0xE8};
QString emojiFontPath();

struct PictureSource {
    int number = 0;
    int line = 0;   // in pictures.txt, for messages
    QString emoji;  // the emoji's code points, or empty for a picture file
    QString file;   // relative to the set folder
    QString name;
};
struct ListSource {
    int pictureNumber = 0;
    int line = 0;  // in its file, for messages
    QStringList forms;
};

// Parsers of pictures.txt and [FGH].txt; '#' starts a comment line. A
// picture line is "<number> <emoji code points joined by +> <name>" or
// "<number> <file> <name>", the file in double quotes when it holds blanks
// (a field with a dot or a slash is a file). They throw GameError naming the
// file and line of a fault; given `faults`, parseList records the fault of
// each wrong line there instead and goes on with the next. A list line is
// "<code> <three forms>"; where the forms are optional (F.txt, whose
// pictures the game shows without words) a line of a code and exactly three
// words carries them, and anything else after the code is a note.
enum class ListForms { Required, Optional };
QList<PictureSource> parsePictures(const QString& text, const QString& fileName);
QList<ListSource> parseList(const QString& text, const QString& fileName, ListForms forms,
                            QStringList* faults = nullptr);

// One item picture: the emoji centred on the light ground, opaque.
// Throws GameError when the font is missing or lacks the emoji.
QImage renderPicture(const QString& emoji, int side = pictureSide);
// An RGB PNG of `image` (colour type 2, no alpha).
QByteArray rgbPng(const QImage& image);

// Writes the eight files of `contents` into `outDir` (created if needed),
// and nazwa.txt when the set has a plural word.
void writeContents(const SetFolder::Contents& contents, const QString& outDir);

// Builds the content directory `outDir` from the set folder `setFolder`.
// The files are made in a staging folder beside `outDir` and checked there;
// `outDir` is touched only when everything was read, written and passed the
// content check (a new directory is renamed into place, an existing one gets
// each file replaced by a rename). Throws GameError listing every fault of
// the folder; returns the warnings (a text read as Windows-1250, a picture
// smaller than a tile, one picture under two numbers).
QStringList buildDirectory(const QString& setFolder, const QString& outDir);

// Packs the PNG files of `folder`, in file-name order, as pictures 0, 1, …
// named by their base names into `outDir`; returns one "<code> <file>" line
// per picture.
QStringList packFolder(const QString& folder, const QString& outDir);

}  // namespace ContentBuild
