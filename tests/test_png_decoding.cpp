// SPDX-License-Identifier: GPL-3.0-or-later
// Guards the PNG decoder behind every item picture: the three opacity rules
// for every colour type a content author may save, and the refusal, with a
// clean error and bounded memory, of every kind of hostile or damaged stream.
#include "content/game_error.h"
#include "content/png_decode.h"

#include <QtTest>
#include <zlib.h>

namespace {

QByteArray be32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

QByteArray chunk(const char* type, const QByteArray& data)
{
    const QByteArray typed = QByteArray(type) + data;
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(typed.constData()), uInt(typed.size()));
    return be32(quint32(data.size())) + typed + be32(quint32(crc));
}

QByteArray deflate(const QByteArray& raw)
{
    uLongf size = compressBound(uLong(raw.size()));
    QByteArray out(qsizetype(size), '\0');
    compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(raw.constData()),
              uLong(raw.size()), 9);
    out.truncate(qsizetype(size));
    return out;
}

QByteArray header(quint32 width, quint32 height, int depth, int colourType, int interlace = 0)
{
    return be32(width) + be32(height) + char(depth) + char(colourType) + '\0' + '\0' + char(interlace);
}

const QByteArray signature("\x89PNG\r\n\x1a\n", 8);

// Packs one row of samples at `depth` bits, after its filter byte 0.
QByteArray packRow(const QList<int>& samples, int depth)
{
    QByteArray row(1, '\0');
    if (depth == 16) {
        for (const int s : samples)
            row += char(s >> 8) + QByteArray(1, char(s & 0xFF));
        return row;
    }
    if (depth == 8) {
        for (const int s : samples)
            row += char(s);
        return row;
    }
    int bits = 0, acc = 0;
    for (const int s : samples) {
        acc = (acc << depth) | s;
        bits += depth;
        if (bits == 8) {
            row += char(acc);
            bits = acc = 0;
        }
    }
    if (bits > 0)
        row += char(acc << (8 - bits));
    return row;
}

struct Picture {
    int width = 0;
    int colourType = 2;
    int depth = 8;
    int channels = 3;
    QList<int> samples;        // row-major, `channels` per pixel
    QByteArray palette;        // PLTE data
    QByteArray transparency;   // tRNS data
};

// A complete PNG of `picture`, optionally Adam7-interlaced.
QByteArray encode(const Picture& p, bool interlaced = false)
{
    const int height = int(p.samples.size()) / (p.width * p.channels);
    auto sample = [&](int x, int y, int c) { return p.samples.at((y * p.width + x) * p.channels + c); };
    QByteArray raw;
    struct Pass { int x0, y0, dx, dy; };
    const QList<Pass> passes = interlaced
        ? QList<Pass>{{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4}, {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}}
        : QList<Pass>{{0, 0, 1, 1}};
    for (const Pass& pass : passes) {
        for (int y = pass.y0; y < height; y += pass.dy) {
            QList<int> row;
            for (int x = pass.x0; x < p.width; x += pass.dx)
                for (int c = 0; c < p.channels; ++c)
                    row.append(sample(x, y, c));
            if (!row.isEmpty())
                raw += packRow(row, p.depth);
        }
    }
    QByteArray png = signature + chunk("IHDR", header(quint32(p.width), quint32(height), p.depth, p.colourType,
                                                      interlaced ? 1 : 0));
    if (!p.palette.isEmpty())
        png += chunk("PLTE", p.palette);
    if (!p.transparency.isEmpty())
        png += chunk("tRNS", p.transparency);
    return png + chunk("IDAT", deflate(raw)) + chunk("IEND", {});
}

QByteArray rgb(std::initializer_list<int> triples)
{
    QByteArray bytes;
    for (const int v : triples)
        bytes += char(v);
    return bytes;
}

QList<QRgb> pixelsOf(const QImage& image)
{
    QList<QRgb> pixels;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            pixels.append(image.pixel(x, y));
    return pixels;
}

// A small valid RGB picture whose chunks a hostile case may add to.
QByteArray validWith(const QByteArray& extraChunks)
{
    const QByteArray raw = packRow({1, 2, 3, 4, 5, 6}, 8) + packRow({7, 8, 9, 10, 11, 12}, 8);
    return signature + chunk("IHDR", header(2, 2, 8, 2)) + extraChunks + chunk("IDAT", deflate(raw))
        + chunk("IEND", {});
}

QString errorOf(const QByteArray& png)
{
    try {
        decodeOpaquePng(png);
    } catch (const GameError& error) {
        return error.message();
    }
    return {};
}

}  // namespace

Q_DECLARE_METATYPE(Picture)

class PngDecoding : public QObject {
    Q_OBJECT
private slots:
    void opacityRules_data();
    void opacityRules();
    void interlacedMatchesPlain();
    void hostileStreams_data();
    void hostileStreams();
    void limitsLeaveRealPicturesAlone();
};

void PngDecoding::opacityRules_data()
{
    QTest::addColumn<Picture>("picture");
    QTest::addColumn<QList<QRgb>>("expected");
    QTest::addColumn<int>("tolerance");

    const QByteArray palette = rgb({255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255});
    QTest::newRow("rgb as stored")
        << Picture{2, 2, 8, 3, {10, 20, 30, 200, 100, 50, 0, 0, 0, 255, 255, 255}, {}, {}}
        << QList<QRgb>{qRgb(10, 20, 30), qRgb(200, 100, 50), qRgb(0, 0, 0), qRgb(255, 255, 255)} << 0;
    QTest::newRow("rgb of odd width as stored")
        << Picture{3, 2, 8, 3, {1, 2, 3, 250, 251, 252, 9, 8, 7, 0, 128, 255, 40, 50, 60, 70, 80, 90}, {}, {}}
        << QList<QRgb>{qRgb(1, 2, 3), qRgb(250, 251, 252), qRgb(9, 8, 7), qRgb(0, 128, 255), qRgb(40, 50, 60),
                       qRgb(70, 80, 90)} << 0;
    QTest::newRow("16-bit rgb as stored")
        << Picture{2, 2, 16, 3, {0xFFFF, 0x8080, 0x0000, 0x0101, 0x7F7F, 0xFEFE}, {}, {}}
        << QList<QRgb>{qRgb(255, 128, 0), qRgb(1, 127, 254)} << 0;
    QTest::newRow("rgb with one transparent colour keeps it")
        << Picture{2, 2, 8, 3, {10, 20, 30, 200, 100, 50}, {}, rgb({0, 200, 0, 100, 0, 50})}
        << QList<QRgb>{qRgb(10, 20, 30), qRgb(200, 100, 50)} << 0;
    QTest::newRow("rgba composed over black")
        << Picture{4, 6, 8, 4, {10, 20, 30, 255, 200, 100, 50, 0, 255, 255, 255, 128, 100, 200, 250, 64}, {}, {}}
        << QList<QRgb>{qRgb(10, 20, 30), qRgb(0, 0, 0), qRgb(128, 128, 128), qRgb(25, 50, 63)} << 1;
    QTest::newRow("16-bit rgba composed over black")
        << Picture{2, 6, 16, 4, {0xFFFF, 0x8080, 0x0000, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0x0000}, {}, {}}
        << QList<QRgb>{qRgb(255, 128, 0), qRgb(0, 0, 0)} << 1;
    QTest::newRow("grey as stored")
        << Picture{3, 0, 8, 1, {0, 77, 200}, {}, {}}
        << QList<QRgb>{qRgb(0, 0, 0), qRgb(77, 77, 77), qRgb(200, 200, 200)} << 0;
    QTest::newRow("1-bit grey as stored")
        << Picture{3, 0, 1, 1, {1, 0, 1}, {}, {}}
        << QList<QRgb>{qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(255, 255, 255)} << 0;
    QTest::newRow("grey with one transparent level keeps it")
        << Picture{2, 0, 8, 1, {77, 200}, {}, rgb({0, 77})}
        << QList<QRgb>{qRgb(77, 77, 77), qRgb(200, 200, 200)} << 0;
    QTest::newRow("grey with alpha composed over black")
        << Picture{3, 4, 8, 2, {200, 0, 200, 255, 100, 51}, {}, {}}
        << QList<QRgb>{qRgb(0, 0, 0), qRgb(200, 200, 200), qRgb(20, 20, 20)} << 1;
    QTest::newRow("palette as stored")
        << Picture{4, 3, 8, 1, {0, 1, 2, 3}, palette, {}}
        << QList<QRgb>{qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 255)} << 0;
    QTest::newRow("4-bit palette as stored")
        << Picture{4, 3, 4, 1, {3, 2, 1, 0}, palette, {}}
        << QList<QRgb>{qRgb(255, 255, 255), qRgb(0, 0, 255), qRgb(0, 255, 0), qRgb(255, 0, 0)} << 0;
    QTest::newRow("palette with one transparent entry keeps its colour")
        << Picture{4, 3, 8, 1, {0, 1, 2, 3}, palette, rgb({255, 0})}
        << QList<QRgb>{qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 255)} << 0;
    QTest::newRow("palette with one half-transparent entry keeps its colour")
        << Picture{2, 3, 8, 1, {0, 2}, palette, rgb({255, 255, 128})}
        << QList<QRgb>{qRgb(255, 0, 0), qRgb(0, 0, 255)} << 0;
    QTest::newRow("palette with two transparent entries composed over black")
        << Picture{4, 3, 8, 1, {0, 1, 2, 3}, palette, rgb({255, 0, 128})}
        << QList<QRgb>{qRgb(255, 0, 0), qRgb(0, 0, 0), qRgb(0, 0, 128), qRgb(255, 255, 255)} << 1;
    QTest::newRow("palette whose tRNS entries are all opaque as stored")
        << Picture{2, 3, 8, 1, {0, 1}, palette, rgb({255, 255})}
        << QList<QRgb>{qRgb(255, 0, 0), qRgb(0, 255, 0)} << 0;
}

void PngDecoding::opacityRules()
{
    QFETCH(Picture, picture);
    QFETCH(QList<QRgb>, expected);
    QFETCH(int, tolerance);
    const QImage image = decodeOpaquePng(encode(picture));
    QCOMPARE(image.format(), QImage::Format_RGB32);
    QCOMPARE(image.width(), picture.width);
    const QList<QRgb> pixels = pixelsOf(image);
    QCOMPARE(pixels.size(), expected.size());
    for (qsizetype i = 0; i < pixels.size(); ++i) {
        const QRgb got = pixels.at(i), want = expected.at(i);
        QCOMPARE(qAlpha(got), 255);
        const bool close = qAbs(qRed(got) - qRed(want)) <= tolerance && qAbs(qGreen(got) - qGreen(want)) <= tolerance
            && qAbs(qBlue(got) - qBlue(want)) <= tolerance;
        if (!close)
            QFAIL(qPrintable(QStringLiteral("pixel %1 is #%2, expected #%3")
                                 .arg(i)
                                 .arg(got & 0xFFFFFF, 6, 16, QLatin1Char('0'))
                                 .arg(want & 0xFFFFFF, 6, 16, QLatin1Char('0'))));
    }
}

void PngDecoding::interlacedMatchesPlain()
{
    Picture picture{11, 2, 8, 3, {}, {}, {}};
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 11; ++x)
            picture.samples << x * 23 << y * 28 << (x * y) % 256;
    const QImage plain = decodeOpaquePng(encode(picture, false));
    const QImage interlaced = decodeOpaquePng(encode(picture, true));
    QCOMPARE(plain.size(), QSize(11, 9));
    QCOMPARE(interlaced, plain);
    QCOMPARE(plain.pixel(10, 8), qRgb(230, 224, 80));
}

void PngDecoding::hostileStreams_data()
{
    QTest::addColumn<QByteArray>("png");
    QTest::addColumn<QString>("expectedStart");

    const QByteArray good = validWith({});
    QTest::newRow("empty stream") << QByteArray() << QStringLiteral("Brak danych obrazu PNG");
    QTest::newRow("not a png") << QByteArray("GIF89a this is not it") << QStringLiteral("Dane obrazu nie są plikiem PNG");
    QTest::newRow("signature only") << signature << QStringLiteral("Obraz PNG jest niepełny");
    QTest::newRow("truncated in the image data") << good.left(good.size() - 20) << QStringLiteral("Obraz PNG");
    QTest::newRow("missing IEND") << good.left(good.size() - 12) << QStringLiteral("Obraz PNG jest niepełny");

    // 100000 x 100000 RGBA: would be 40 GB if anyone believed it.
    QTest::newRow("huge header")
        << signature + chunk("IHDR", header(100000, 100000, 8, 6)) + chunk("IDAT", deflate(QByteArray(64, '\0')))
               + chunk("IEND", {})
        << QStringLiteral("Obraz PNG jest za duży");
    QTest::newRow("just past the side limit")
        << signature + chunk("IHDR", header(PngLimits::maxSide + 1, 1, 8, 2)) + chunk("IEND", {})
        << QStringLiteral("Obraz PNG jest za duży");
    QTest::newRow("just past the pixel budget")
        << signature + chunk("IHDR", header(PngLimits::maxSide, int(PngLimits::maxPixels / PngLimits::maxSide) + 1, 8, 2))
               + chunk("IDAT", deflate(QByteArray(64, '\0'))) + chunk("IEND", {})
        << QStringLiteral("Obraz PNG jest za duży (dopuszczalne są najwyżej 8192 piksele z boku i 16777216 pikseli w sumie)");
    QTest::newRow("zero width")
        << signature + chunk("IHDR", header(0, 4, 8, 2)) + chunk("IEND", {}) << QStringLiteral("Uszkodzony obraz PNG");

    const QByteArray megabytes(8 * 1024 * 1024, 'A');
    QTest::newRow("zTXt inflating to megabytes")
        << validWith(chunk("zTXt", QByteArray("Comment\0\0", 9) + deflate(megabytes)))
        << QStringLiteral("Uszkodzony obraz PNG (zTXt");
    QTest::newRow("iTXt inflating to megabytes")
        << validWith(chunk("iTXt", QByteArray("Comment\0\1\0\0\0", 12) + deflate(megabytes)))
        << QStringLiteral("Uszkodzony obraz PNG (iTXt");
    QTest::newRow("iCCP inflating to megabytes")
        << validWith(chunk("iCCP", QByteArray("profile\0\0", 9) + deflate(megabytes)))
        << QStringLiteral("Obraz PNG zawiera zbyt duży blok danych (iCCP");
    QTest::newRow("a chunk longer than the chunk limit")
        << validWith(chunk("tEXt", QByteArray("Comment\0", 8) + QByteArray(int(PngLimits::maxChunkBytes) + 16, 'x')))
        << QStringLiteral("Obraz PNG zawiera zbyt duży blok danych");

    QByteArray badIdatCrc = good;
    const qsizetype idat = badIdatCrc.indexOf("IDAT");
    const qsizetype crcAt = idat + 4 + qFromBigEndian<quint32>(badIdatCrc.constData() + idat - 4);
    badIdatCrc[crcAt] = char(badIdatCrc[crcAt] ^ 0x55);
    QTest::newRow("bad CRC in image data") << badIdatCrc << QStringLiteral("Obraz PNG ma błędną sumę kontrolną");
    QByteArray badTextCrc = validWith(chunk("tEXt", QByteArray("Title\0Gruszka", 13)));
    badTextCrc[badTextCrc.indexOf("Gruszka")] = 'g';
    QTest::newRow("bad CRC in a text chunk") << badTextCrc << QStringLiteral("Obraz PNG ma błędną sumę kontrolną");

    QByteArray corrupt = signature + chunk("IHDR", header(2, 2, 8, 2))
        + chunk("IDAT", QByteArray("\x78\x9c\xff\xff\xff\xff\xff\xff", 8)) + chunk("IEND", {});
    QTest::newRow("corrupt compressed data") << corrupt << QStringLiteral("Uszkodzony obraz PNG");
    QTest::newRow("too little image data")
        << signature + chunk("IHDR", header(2, 2, 8, 2)) + chunk("IDAT", deflate(packRow({1, 2, 3, 4, 5, 6}, 8)))
               + chunk("IEND", {})
        << QStringLiteral("Uszkodzony obraz PNG");
    QTest::newRow("palette picture without a palette")
        << signature + chunk("IHDR", header(2, 1, 8, 3)) + chunk("IDAT", deflate(packRow({0, 0}, 8)))
               + chunk("IEND", {})
        << QStringLiteral("Uszkodzony obraz PNG");
}

void PngDecoding::hostileStreams()
{
    QFETCH(QByteArray, png);
    QFETCH(QString, expectedStart);
    const QString message = errorOf(png);
    QVERIFY2(message.startsWith(expectedStart), qPrintable(QStringLiteral("message: \"%1\"").arg(message)));
}

void PngDecoding::limitsLeaveRealPicturesAlone()
{
    // A teacher's photograph, with a modest text chunk, still decodes.
    QImage source(4000, 3000, QImage::Format_RGB32);
    source.fill(qRgb(250, 240, 200));
    source.setText(QStringLiteral("Title"), QStringLiteral("Marchewka"));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(source.save(&buffer, "PNG"));
    const QImage decoded = decodeOpaquePng(bytes);
    QCOMPARE(decoded.size(), source.size());
    QCOMPARE(decoded.pixel(3999, 2999), qRgb(250, 240, 200));

    // A compressed comment inflating to a tenth of the chunk limit is fine:
    // it is the limit, not the kind of chunk, that refuses the big ones.
    const QByteArray comment(int(PngLimits::maxChunkBytes / 10), 'A');
    const QImage small = decodeOpaquePng(validWith(chunk("zTXt", QByteArray("Comment\0\0", 9) + deflate(comment))));
    QCOMPARE(small.pixel(1, 1), qRgb(10, 11, 12));
}

QTEST_MAIN(PngDecoding)
#include "test_png_decoding.moc"
