// SPDX-License-Identifier: GPL-3.0-or-later
// A shelf lays its tiles' frame from one layer drawn per shelf; the tiles
// must come out pixel for pixel as when each tile strokes its own frame,
// whatever the picture, mark, tile size and bitmap size.
#include "draw/tile_drawing.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

// A picture with no two neighbouring pixels alike, so that any pixel the
// frame should cover, or should leave alone, shows a difference.
QImage noise(int width, int height, quint32 seed)
{
    QRandomGenerator random(seed);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, 0xFF000000u | random.bounded(0x1000000u));
    return image;
}

}  // namespace

class TestTileFrameLayer : public QObject {
    Q_OBJECT
private slots:
    void layeredTileEqualsStrokedTile_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("bitmapSide");
        QTest::addColumn<bool>("marked");
        QTest::addColumn<QRgb>("frame");
        QTest::addColumn<QSize>("pictureSize");
        const struct { int size; int bitmap; } sizes[] = {{80, 80}, {48, 48}, {32, 32}, {48, 60}, {80, 77}};
        for (const auto& s : sizes)
            for (const bool marked : {false, true}) {
                QTest::addRow("%d on %d, %s, shelf frame", s.size, s.bitmap, marked ? "marked" : "plain")
                    << s.size << s.bitmap << marked << QRgb(TileLook::ShelfFrameColour) << QSize(128, 128);
                QTest::addRow("%d on %d, %s, strip frame, odd picture", s.size, s.bitmap, marked ? "marked" : "plain")
                    << s.size << s.bitmap << marked << QRgb(TileLook::PictogramFrameColour) << QSize(97, 41);
            }
    }
    void layeredTileEqualsStrokedTile()
    {
        QFETCH(int, size);
        QFETCH(int, bitmapSide);
        QFETCH(bool, marked);
        QFETCH(QRgb, frame);
        QFETCH(QSize, pictureSize);
        const QImage picture = noise(pictureSize.width(), pictureSize.height(), quint32(size * 31 + bitmapSide));
        const QPen pen = TileLook::outlinePen();
        const QBrush mark = TileLook::markBrush();

        // What was on the bitmap before shows wherever the tile does not reach.
        QImage stroked = noise(bitmapSide, bitmapSide, 99);
        QImage layered = stroked;
        DrawTile(stroked, picture, size, marked, QColor::fromRgba(frame), pen, mark);
        DrawTile(layered, picture, size, marked, TileFrameLayer(layered.size(), size, QColor::fromRgba(frame)), pen,
                 mark);
        QCOMPARE(layered.format(), stroked.format());
        for (int y = 0; y < bitmapSide; ++y)
            for (int x = 0; x < bitmapSide; ++x)
                if (layered.pixel(x, y) != stroked.pixel(x, y))
                    QFAIL(qPrintable(QStringLiteral("pixel (%1, %2): %3 instead of %4")
                                         .arg(x)
                                         .arg(y)
                                         .arg(layered.pixel(x, y), 8, 16)
                                         .arg(stroked.pixel(x, y), 8, 16)));
    }

    void oneLayerServesEveryTileOfAShelf()
    {
        // The layer is not changed by laying it, so the fourth tile of a
        // shelf gets the same frame as the first.
        const QImage layer = TileFrameLayer(QSize(48, 48), 48, QColor::fromRgba(TileLook::ShelfFrameColour));
        const QImage before = layer.copy();
        for (int k = 0; k < 4; ++k) {
            QImage bitmap(48, 48, QImage::Format_RGB32);
            bitmap.fill(Qt::white);
            DrawTile(bitmap, noise(128, 128, quint32(k)), 48, k % 2 == 1, layer, TileLook::outlinePen(),
                     TileLook::markBrush());
        }
        QCOMPARE(layer, before);
        // Transparent inside the tile's rounded shape, the frame colour in its corner.
        QCOMPARE(qAlpha(layer.pixel(24, 24)), 0);
        QCOMPARE(layer.pixel(0, 0), TileLook::ShelfFrameColour);
    }
};

QTEST_MAIN(TestTileFrameLayer)
#include "test_tile_frame_layer.moc"
