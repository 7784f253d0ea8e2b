// SPDX-License-Identifier: GPL-3.0-or-later
// Tile geometry on pixels: where the frame, its inner line and the outline
// fall for the three tile sizes, and that the mark tints the picture only.
#include "draw/tile_drawing.h"

#include <QTest>

namespace {

const QRgb pictureColour = 0xFF2050C0;
const QRgb shelfFrame = TileLook::ShelfFrameColour;

QImage solid(int w, int h, QRgb colour)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QRgb at(const QImage& image, int x, int y) { return image.pixel(x, y) | 0xFF000000; }

// How far a pixel is from white, 0..765.
int darkness(QRgb pixel) { return 765 - qRed(pixel) - qGreen(pixel) - qBlue(pixel); }

void addSizes()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("side");
    QTest::addColumn<int>("far");
    QTest::addColumn<int>("inset");
    QTest::addColumn<int>("reach");
    QTest::newRow("shelf tile, level 1") << 80 << 26 << 53 << 13 << 66;
    QTest::newRow("shelf tile, levels 2-4") << 48 << 16 << 31 << 8 << 39;
    QTest::newRow("pictogram") << 32 << 10 << 21 << 5 << 26;
}

}  // namespace

class TestTileDrawing : public QObject {
    Q_OBJECT
private slots:
    void frame_data() { addSizes(); }
    void frame()
    {
        QFETCH(int, size);
        QImage bitmap = solid(size, size, pictureColour);
        DrawTileFrame(bitmap, size, QColor::fromRgb(shelfFrame));
        const int last = size - 1;
        const int mid = size / 2;
        // Corners outside the rounded shape take the frame colour.
        for (const QPoint corner : {QPoint(0, 0), QPoint(1, 1), QPoint(last, 0), QPoint(last - 1, 1),
                                    QPoint(0, last), QPoint(1, last - 1), QPoint(last, last), QPoint(last - 1, last - 1)})
            QCOMPARE(at(bitmap, corner.x(), corner.y()), shelfFrame);
        // Along each side: outermost pixel frame colour, then the inner line, then the picture.
        const QPoint inwards[] = {{0, 1}, {0, -1}, {1, 0}, {-1, 0}};
        const QPoint edges[] = {{mid, 0}, {mid, last}, {0, mid}, {last, mid}};
        for (int e = 0; e < 4; ++e) {
            const QPoint p0 = edges[e], p1 = p0 + inwards[e], p2 = p1 + inwards[e];
            QCOMPARE(at(bitmap, p0.x(), p0.y()), shelfFrame);
            QCOMPARE(at(bitmap, p1.x(), p1.y()), TileLook::InnerLineColour);
            QCOMPARE(at(bitmap, p2.x(), p2.y()), pictureColour);
        }
        QCOMPARE(at(bitmap, mid, mid), pictureColour);
        // Not anti-aliased: only the three colours occur.
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const QRgb p = at(bitmap, x, y);
                QVERIFY(p == shelfFrame || p == TileLook::InnerLineColour || p == pictureColour);
            }
    }

    void outline_data() { addSizes(); }
    void outline()
    {
        QFETCH(int, size);
        QFETCH(int, side);
        QFETCH(int, far);
        QFETCH(int, inset);
        QFETCH(int, reach);
        QImage bitmap = solid(size, size, 0xFFFFFFFF);
        {
            QPainter surface(&bitmap);
            DrawTileOutline(surface, TileLook::outlinePen(), size);
        }
        const int last = size - 1;
        // Straight edges cover the outermost pixels from inset to reach.
        for (int t = inset; t <= reach; ++t) {
            QCOMPARE(at(bitmap, t, 0), TileLook::OutlineColour);
            QCOMPARE(at(bitmap, t, last), TileLook::OutlineColour);
            QCOMPARE(at(bitmap, 0, t), TileLook::OutlineColour);
            QCOMPARE(at(bitmap, last, t), TileLook::OutlineColour);
        }
        // One pixel wide: the next row in stays untouched.
        QCOMPARE(at(bitmap, size / 2, 1), 0xFFFFFFFFu);
        QCOMPARE(at(bitmap, last - 1, size / 2), 0xFFFFFFFFu);
        // Corner arcs in squares of `side` at (0,0), (far,0), (far,far), (0,far):
        // the arc's middle is stroked, the tile's corner and the arc's centre are not.
        const double r = side / 2.0;
        const QPoint squares[] = {{0, 0}, {far, 0}, {far, far}, {0, far}};
        const QPoint outwards[] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
        for (int c = 0; c < 4; ++c) {
            const double cx = squares[c].x() + r, cy = squares[c].y() + r;
            const int ax = qRound(cx + outwards[c].x() * r * M_SQRT1_2);
            const int ay = qRound(cy + outwards[c].y() * r * M_SQRT1_2);
            // The arc crosses these pixels diagonally: the darkest of the
            // pixel and its neighbours shows it.
            int darkest = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    darkest = qMax(darkest, darkness(at(bitmap, ax + dx, ay + dy)));
            QVERIFY2(darkest > 150, qPrintable(QStringLiteral("corner %1 at %2,%3").arg(c).arg(ax).arg(ay)));
            QCOMPARE(at(bitmap, qRound(cx), qRound(cy)), 0xFFFFFFFFu);
        }
        QCOMPARE(at(bitmap, 0, 0), 0xFFFFFFFFu);
        QCOMPARE(at(bitmap, last, last), 0xFFFFFFFFu);
        // Nothing is drawn far from the border.
        for (int y = side; y < size - side; ++y)
            for (int x = side; x < size - side; ++x)
                QCOMPARE(at(bitmap, x, y), 0xFFFFFFFFu);
    }

    void markTintsThePictureOnly_data() { addSizes(); }
    void markTintsThePictureOnly()
    {
        QFETCH(int, size);
        QImage bitmap = solid(size, size, 0xFF000000);
        const QImage picture = solid(40, 40, pictureColour);
        const QPen pen = TileLook::outlinePen();
        DrawTile(bitmap, picture, size, true, QColor::fromRgb(shelfFrame), pen, TileLook::markBrush());

        const QRgb mark = TileLook::MarkColour;
        const double a = qAlpha(mark) / 255.0;
        auto blend = [&](int over, int under) { return int(over * a + under * (1 - a) + 0.5); };
        const QRgb centre = at(bitmap, size / 2, size / 2);
        QVERIFY(qAbs(qRed(centre) - blend(qRed(mark), qRed(pictureColour))) <= 1);
        QVERIFY(qAbs(qGreen(centre) - blend(qGreen(mark), qGreen(pictureColour))) <= 1);
        QVERIFY(qAbs(qBlue(centre) - blend(qBlue(mark), qBlue(pictureColour))) <= 1);
        // Frame, inner line and outline keep their own colours.
        QCOMPARE(at(bitmap, 0, 0), shelfFrame);
        QCOMPARE(at(bitmap, size / 2, 0), TileLook::OutlineColour);
        QCOMPARE(at(bitmap, size / 2, 1), TileLook::InnerLineColour);
        QCOMPARE(at(bitmap, 1, size / 2), TileLook::InnerLineColour);

        // Drawn again without the mark, the wash is gone.
        DrawTile(bitmap, picture, size, false, QColor::fromRgb(shelfFrame), pen, TileLook::markBrush());
        QCOMPARE(at(bitmap, size / 2, size / 2), pictureColour);
        QCOMPARE(at(bitmap, 2, size / 2), pictureColour);
    }

    void pictureFillsTheSquare_data()
    {
        QTest::addColumn<QSize>("pictureSize");
        QTest::addColumn<int>("size");
        QTest::newRow("tall and small into 80") << QSize(6, 50) << 80;
        QTest::newRow("wide and large into 48") << QSize(300, 60) << 48;
        QTest::newRow("square into 32") << QSize(128, 128) << 32;
    }
    void pictureFillsTheSquare()
    {
        QFETCH(QSize, pictureSize);
        QFETCH(int, size);
        // Four coloured quadrants; each lands in its quadrant of the tile.
        QImage picture(pictureSize, QImage::Format_RGB32);
        const QRgb quadrant[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00};
        for (int y = 0; y < pictureSize.height(); ++y)
            for (int x = 0; x < pictureSize.width(); ++x)
                picture.setPixel(x, y, quadrant[(y * 2 / pictureSize.height()) * 2 + x * 2 / pictureSize.width()]);
        QImage bitmap = solid(size, size, 0xFF808080);
        DrawTile(bitmap, picture, size, false, QColor::fromRgb(shelfFrame), TileLook::outlinePen(), TileLook::markBrush());
        const int q1 = size / 4 + 1, q3 = size * 3 / 4 - 1;
        QCOMPARE(at(bitmap, q1, q1), quadrant[0]);
        QCOMPARE(at(bitmap, q3, q1), quadrant[1]);
        QCOMPARE(at(bitmap, q1, q3), quadrant[2]);
        QCOMPARE(at(bitmap, q3, q3), quadrant[3]);
        // Right up to the inner line, nothing of the old bitmap shows.
        for (int t = 2; t < size - 2; ++t) {
            QVERIFY(at(bitmap, t, size / 2) != 0xFF808080u);
            QVERIFY(at(bitmap, size / 2, t) != 0xFF808080u);
        }
    }
};

QTEST_MAIN(TestTileDrawing)
#include "test_tile_drawing.moc"
