// SPDX-License-Identifier: GPL-3.0-or-later
#include "draw/tile_drawing.h"

namespace TileLook {
QPen outlinePen()
{
    QPen pen(QColor::fromRgba(OutlineColour));
    pen.setWidthF(1.0);
    return pen;
}
QBrush markBrush()
{
    return QBrush(QColor::fromRgba(MarkColour));
}
QBrush contrastMarkBrush()
{
    constexpr int period = 12;
    QImage texture(period, period, QImage::Format_ARGB32_Premultiplied);
    texture.fill(QColor::fromRgba(MarkColour));
    QPainter painter(&texture);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(QColor(0x00, 0x33, 0x40), 3));
    // The stripe and its neighbours across the texture's edges, so tiles of it join.
    for (int shift = -period; shift <= period; shift += period)
        painter.drawLine(QPointF(shift, period), QPointF(shift + period, 0));
    painter.end();
    return QBrush(texture);
}
}  // namespace TileLook

namespace {

// A rounded rectangle from (x1, y1) to the exclusive corner (x2, y2) whose
// corners are quarter ellipses r wide and high, stroked with a pen of
// `width` centred on the border. Pixel x lies between x and x + 1, so the
// border through the outermost pixels' centres runs from x1 + 0.5 to
// x2 - 0.5.
void roundRect(QPainter& canvas, const QColor& colour, int width, int x1, int y1, int x2, int y2, int r)
{
    QPen pen(colour);
    pen.setWidth(width);
    pen.setJoinStyle(Qt::MiterJoin);
    canvas.setPen(pen);
    const QRectF border(x1 + 0.5, y1 + 0.5, x2 - x1 - 1, y2 - y1 - 1);
    canvas.drawRoundedRect(border, r / 2.0, r / 2.0, Qt::AbsoluteSize);
}

// The picture scaled once, from its own pixels, to the square's device
// pixels, so that a scaled window's tile is as sharp as the picture allows.
QImage stretched(const QImage& picture, QSize square, qreal devicePixelRatio)
{
    const QSize device(qRound(square.width() * devicePixelRatio), qRound(square.height() * devicePixelRatio));
    QImage scaled = picture.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    scaled.setDevicePixelRatio(devicePixelRatio);
    return scaled;
}

}  // namespace

void DrawTileFrame(QImage& bitmap, int size, const QColor& frame)
{
    QPainter canvas(&bitmap);
    if (!canvas.isActive())
        return;
    canvas.setRenderHint(QPainter::Antialiasing, false);
    canvas.setBrush(Qt::NoBrush);
    const int side = size / 3;
    const QColor inner = QColor::fromRgba(TileLook::InnerLineColour);
    for (int i = -1; i <= 3; ++i)
        roundRect(canvas, inner, i + 2, -i, -i, size + i, size + i, side + i);
    for (int i = 0; i <= 5; ++i)
        roundRect(canvas, frame, i + 1, -i, -i, size + i, size + i, side + i);
}

void DrawTileOutline(QPainter& surface, const QPen& pen, int size)
{
    const int side = size / 3;
    const int far = size - side - 1;
    const int inset = size / 6;
    const int reach = size - inset - 1;

    surface.save();
    surface.setRenderHint(QPainter::Antialiasing, true);
    surface.setBrush(Qt::NoBrush);
    surface.setPen(pen);
    // Coordinates name pixel centres, so the outline covers the outermost
    // pixels themselves rather than straddling the tile's edge.
    surface.translate(0.5, 0.5);

    // Clockwise angles with y down become Qt's counter-clockwise sixteenths.
    struct Corner { int x, y, start; };
    const Corner corners[] = {{0, 0, 180}, {far, 0, 270}, {far, far, 0}, {0, far, 90}};
    for (const Corner& c : corners)
        surface.drawArc(QRectF(c.x, c.y, side, side), -c.start * 16, -90 * 16);

    const QLineF top(inset, 0, reach, 0);
    surface.drawLine(top);
    surface.drawLine(top);
    surface.drawLine(QLineF(size - 1, inset, size - 1, reach));
    surface.drawLine(QLineF(reach, size - 1, inset, size - 1));
    surface.drawLine(QLineF(0, reach, 0, inset));
    surface.restore();
}

void DrawTile(QImage& bitmap, const QImage& picture, int size, bool marked,
              const QColor& frame, const QPen& pen, const QBrush& mark)
{
    const QRect square(0, 0, size, size);
    {
        QPainter surface(&bitmap);
        if (surface.isActive()) {
            surface.setRenderHint(QPainter::Antialiasing, true);
            surface.setRenderHint(QPainter::SmoothPixmapTransform, true);
            // Stretched to the square whatever its own size and aspect.
            if (!picture.isNull())
                surface.drawImage(square.topLeft(), stretched(picture, square.size(), bitmap.devicePixelRatio()));
            if (marked)
                surface.fillRect(square, mark);
        }
    }
    DrawTileFrame(bitmap, size, frame);
    QPainter surface(&bitmap);
    if (surface.isActive())
        DrawTileOutline(surface, pen, size);
}

QImage TileFrameLayer(const QSize& bitmapSize, int size, const QColor& frame, qreal devicePixelRatio)
{
    QImage layer(bitmapSize, QImage::Format_ARGB32_Premultiplied);
    layer.setDevicePixelRatio(devicePixelRatio);
    layer.fill(Qt::transparent);
    DrawTileFrame(layer, size, frame);
    return layer;
}

void DrawTile(QImage& bitmap, const QImage& picture, int size, bool marked,
              const QImage& frameLayer, const QPen& pen, const QBrush& mark)
{
    const QRect square(0, 0, size, size);
    QPainter surface(&bitmap);
    if (!surface.isActive())
        return;
    surface.setRenderHint(QPainter::Antialiasing, true);
    surface.setRenderHint(QPainter::SmoothPixmapTransform, true);
    if (!picture.isNull())
        surface.drawImage(square.topLeft(), stretched(picture, square.size(), bitmap.devicePixelRatio()));
    if (marked)
        surface.fillRect(square, mark);
    surface.drawImage(0, 0, frameLayer);
    DrawTileOutline(surface, pen, size);
}
