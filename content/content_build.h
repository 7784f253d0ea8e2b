#pragma once
// Making a content directory from the sources in data/: the item pictures
// rendered from the Noto Color Emoji font onto an opaque light ground and
// packed into the archive, the item lists laid out in their columns, the
// three sound cues synthesised. Also packing a folder of PNG files.
// Rendering needs a QGuiApplication.

#include <QColor>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

namespace ContentBuild {

inline constexpr int pictureSide = 128;
inline const QColor pictureGround{0xFF, 0xF8, 0xE8};
QString emojiFontPath();

struct PictureSource {
    int number = 0;
    QString emoji;
    QString name;
};
struct ListSource {
    int pictureNumber = 0;
    QStringList forms;
};

// Parsers of data/pictures.txt and data/[FGH].txt; '#' starts a comment
// line. They throw GameError naming the file and line of a fault.
QList<PictureSource> parsePictures(const QString& text, const QString& fileName);
QList<ListSource> parseList(const QString& text, const QString& fileName, bool withForms);

// One item picture: the emoji centred on the light ground, opaque.
// Throws GameError when the font is missing or lacks the emoji.
QImage renderPicture(const QString& emoji, int side = pictureSide);
// An RGB PNG of `image` (colour type 2, no alpha).
QByteArray rgbPng(const QImage& image);

// Builds all eight files from `dataDir` into `outDir` (created if needed).
void buildDirectory(const QString& dataDir, const QString& outDir);

// Packs the PNG files of `folder`, in file-name order, as pictures 0, 1, …
// named by their base names into `outDir`; returns one "<code> <file>" line
// per picture.
QStringList packFolder(const QString& folder, const QString& outDir);

}  // namespace ContentBuild
