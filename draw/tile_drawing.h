// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Item pictures as square tiles: the picture stretched to the square, an
// optional translucent mark, a frame that paints the corners and outermost
// pixels in the colour around the tile so it looks rounded, and a thin grey
// rounded outline. Shelves use 80-pixel (level 1) and 48-pixel tiles, the
// description line 32-pixel pictograms.

#include <QBrush>
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPen>

namespace TileLook {
constexpr QRgb OutlineColour = 0xFFBBBBBB;
constexpr QRgb MarkColour = 0xCCAAFFFF;      // light cyan at 80 % opacity
constexpr QRgb InnerLineColour = 0xFFD7E1E1;
constexpr QRgb ShelfFrameColour = 0xFFF1F1F1;
constexpr QRgb PictogramFrameColour = 0xFFA1B822;  // the description strip's colour
constexpr int PictogramSize = 32;

inline int shelfTileSize(int level) { return level == 0 ? 80 : 48; }
inline int tilesPerShelf(int level) { return level == 0 ? 3 : 4; }
QPen outlinePen();
QBrush markBrush();
// The mark of the high-contrast view: the same tint crossed by dark
// diagonal stripes, a pattern that stands out without its colour.
QBrush contrastMarkBrush();
}  // namespace TileLook

// The frame, drawn without anti-aliasing and with nothing filled: rings of
// growing width and size, first the inner line, then the frame colour.
void DrawTileFrame(QImage& bitmap, int size, const QColor& frame);

// The anti-aliased outline along the tile's outermost pixels: four corner
// arcs and the four straight edges (the top one stroked twice).
void DrawTileOutline(QPainter& surface, const QPen& pen, int size);

// The frame exactly as DrawTileFrame paints it on a bitmap of
// `bitmapSize`, on a transparent ground. Its pens are opaque and aliased,
// so laying it over a tile gives the very pixels DrawTileFrame gives; a
// shelf makes it once for all its tiles instead of stroking eleven wide
// rounded rectangles per tile. `frame` must be opaque.
// A bitmap drawn for a scaled window passes its device pixel ratio.
QImage TileFrameLayer(const QSize& bitmapSize, int size, const QColor& frame, qreal devicePixelRatio = 1);

// One whole tile into the top-left s × s square of `bitmap`, in the order
// picture, mark, frame, outline, so that the mark never tints the frame
// and outline. A null picture leaves the square's old content under the
// mark and frame.
void DrawTile(QImage& bitmap, const QImage& picture, int size, bool marked,
              const QColor& frame, const QPen& pen, const QBrush& mark);

// The same tile with the frame laid from `frameLayer` (TileFrameLayer of
// the bitmap's size), all on one drawing surface.
void DrawTile(QImage& bitmap, const QImage& picture, int size, bool marked,
              const QImage& frameLayer, const QPen& pen, const QBrush& mark);
