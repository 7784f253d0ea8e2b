// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Turning any picture file into an item picture: the image read with Qt's
// image plug-ins (PNG, JPEG, BMP, GIF, SVG, WebP, TIFF, …), scaled to fit
// the square with its aspect ratio kept, centred on the warm ground and
// made opaque there, so that transparency never turns black in the game.

#include <QColor>
#include <QImage>
#include <QString>

namespace PictureFit {

// The side of the part of the square a picture fills: a small margin stays
// free so that the rounded frame of a tile never covers the picture.
inline constexpr int roomFor(int side)
{
    return side * 13 / 16;
}

// The largest tile the game draws a picture on (the shelves of level 1).
inline constexpr int largestTileSide = 80;

// `image` fitted into a `side` × `side` opaque picture: scaled down or up to
// the largest size that fits with the margin an emoji has, centred, its
// transparent parts and the room around it filled with `ground`.
QImage fitted(const QImage& image, int side, const QColor& ground);

// Reads the picture file at `path` and fits it (vector pictures are drawn
// at the size they get, not scaled from a small bitmap). Throws GameError
// "Nie można wczytać obrazu „<path>”: <reason>" when the file cannot be read.
QImage fittedFile(const QString& path, int side, const QColor& ground);

}  // namespace PictureFit
