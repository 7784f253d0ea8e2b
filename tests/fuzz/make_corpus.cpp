// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the seed corpora of the fuzz targets: a few small, valid inputs per
// target and their plainly damaged neighbours, so the fuzzers start from
// every branch of the readers. Run once by hand when the formats change:
//   fuzz_make_corpus <tests/fuzz/corpus>
// Crashers found later are added beside these files, never replaced.
#include "content/archive_writer.h"
#include "content/item_list.h"

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QStringEncoder>
#include <QtEndian>
#include <cstdio>

namespace {

QByteArray pngOf(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.write(image);
    return bytes;
}

QImage gradient(QImage::Format format, int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgba(x * 40, y * 40, 120, (x + y) % 2 ? 255 : 60));
    return image.convertToFormat(format);
}

QImage palette(bool withTransparency)
{
    QImage image(5, 3, QImage::Format_Indexed8);
    image.setColorTable({qRgba(200, 10, 10, withTransparency ? 0 : 255), qRgb(10, 200, 10),
                         qRgba(10, 10, 200, withTransparency ? 128 : 255)});
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            image.setPixel(x, y, uint((x + y) % 3));
    return image;
}

void save(const QString& dir, const QString& name, const QByteArray& bytes)
{
    QDir().mkpath(dir);
    QFile file(dir + QLatin1Char('/') + name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
}

QByteArray le32(qint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

// One input of the archive target: picture number, index length, index, data.
QByteArray archiveInput(qint32 number, const QByteArray& index, const QByteArray& data)
{
    return le32(number) + le32(qint32(index.size())) + index + data;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_make_corpus <corpus directory>\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);

    // PNG: every colour type the decoder composes, plus damaged streams.
    const QString png = root + QStringLiteral("/png");
    const QByteArray rgb = pngOf(gradient(QImage::Format_RGB32, 4, 3));
    save(png, QStringLiteral("rgb.png"), rgb);
    save(png, QStringLiteral("rgba.png"), pngOf(gradient(QImage::Format_ARGB32, 3, 3)));
    save(png, QStringLiteral("grey.png"), pngOf(gradient(QImage::Format_Grayscale8, 3, 2)));
    save(png, QStringLiteral("grey16.png"), pngOf(gradient(QImage::Format_Grayscale16, 2, 2)));
    save(png, QStringLiteral("rgba64.png"), pngOf(gradient(QImage::Format_RGBA64, 2, 2)));
    save(png, QStringLiteral("palette.png"), pngOf(palette(false)));
    save(png, QStringLiteral("palette_trns.png"), pngOf(palette(true)));
    save(png, QStringLiteral("mono.png"), pngOf(gradient(QImage::Format_Mono, 9, 2)));
    save(png, QStringLiteral("truncated.png"), rgb.left(rgb.size() - 20));
    QByteArray badCrc = rgb;
    badCrc[29] = char(badCrc[29] ^ 0x55);   // last byte of the header chunk's CRC
    save(png, QStringLiteral("bad_crc.png"), badCrc);

    // Archive: two pictures over several short records, and broken indexes.
    const QString archive = root + QStringLiteral("/archive");
    const ArchiveWriter::Files files = ArchiveWriter::build(
        {{rgb, QStringLiteral("czerwony")}, {pngOf(palette(true)), QStringLiteral("paleta")}}, 40);
    save(archive, QStringLiteral("first.bin"), archiveInput(0, files.index, files.data));
    save(archive, QStringLiteral("second.bin"), archiveInput(1, files.index, files.data));
    save(archive, QStringLiteral("past_index.bin"), archiveInput(2, files.index, files.data));
    save(archive, QStringLiteral("index_cut.bin"), archiveInput(1, files.index.left(100), files.data));
    save(archive, QStringLiteral("data_cut.bin"), archiveInput(1, files.index, files.data.left(600)));
    save(archive, QStringLiteral("count_past.bin"),
         archiveInput(0, ArchiveWriter::indexRecord(0, 99, QStringLiteral("za daleko")), files.data));
    save(archive, QStringLiteral("negative_first.bin"),
         archiveInput(0, ArchiveWriter::indexRecord(-3, 1, QStringLiteral("ujemny")), files.data));
    save(archive, QStringLiteral("zero_count.bin"),
         archiveInput(0, ArchiveWriter::indexRecord(0, 0, QString()), files.data));

    // Item lists: every encoding and line break the decoder knows.
    const QString lists = root + QStringLiteral("/item_list");
    const QStringList lines{formatItemLine(1, {QStringLiteral("Jabłko"), QStringLiteral("jabłka"),
                                               QStringLiteral("jabłkiem")}),
                            formatItemLine(22, {QStringLiteral("Gruszka"), QStringLiteral("gruszki"),
                                                QStringLiteral("gruszką")}),
                            QStringLiteral("00003")};
    const QString text = lines.join(QStringLiteral("\r\n"));
    save(lists, QStringLiteral("utf8.tx"), encodeItemList(lines));
    QStringEncoder utf16le(QStringConverter::Utf16LE);
    QStringEncoder utf16be(QStringConverter::Utf16BE);
    save(lists, QStringLiteral("utf16le.tx"), QByteArray("\xFF\xFE") + QByteArray(utf16le.encode(text)));
    save(lists, QStringLiteral("utf16be.tx"), QByteArray("\xFE\xFF") + QByteArray(utf16be.encode(text)));
    save(lists, QStringLiteral("cp1250.tx"),
         QByteArray("00001    Jab\xb3ko                        jab\xb3ka\r00002    \x9c" "liwka\n\n"));
    save(lists, QStringLiteral("nul.tx"), QByteArray("00004    A\r\n00005", 19) + QByteArray(1, '\0') + "00006");
    save(lists, QStringLiteral("long_form.tx"),
         QByteArray("00007    ") + QByteArray(30, 'x') + QByteArray("yyy ") + QByteArray(29, 'z'));
    return 0;
}
