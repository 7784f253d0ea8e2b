#include "content/content_build.h"

#include "content/archive_writer.h"
#include "content/game_error.h"
#include "content/item_list.h"
#include "content/sound_cues.h"
#include "content/wav_writer.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QRegularExpression>

#include <png.h>

#include <csetjmp>
#include <vector>

namespace ContentBuild {

namespace {

QString readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw GameError(QStringLiteral("Nie można otworzyć pliku \"%1\". %2").arg(path, file.errorString()));
    return QString::fromUtf8(file.readAll());
}

// Meaningful lines with their 1-based numbers: comments and blank lines skipped.
QList<std::pair<int, QStringList>> fieldsOf(const QString& text)
{
    QList<std::pair<int, QStringList>> lines;
    const QStringList all = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    for (int i = 0; i < all.size(); ++i) {
        const QString line = all.at(i).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        lines.append({i + 1, line.split(QLatin1Char(' '), Qt::SkipEmptyParts)});
    }
    return lines;
}

[[noreturn]] void refuse(const QString& fileName, int line, const QString& why)
{
    throw GameError(QStringLiteral("%1, wiersz %2: %3").arg(fileName).arg(line).arg(why));
}

int codeOf(const QString& field, const QString& fileName, int line)
{
    static const QRegularExpression fiveDigits(QStringLiteral("^[0-9]{5}$"));
    if (!fiveDigits.match(field).hasMatch())
        refuse(fileName, line, QStringLiteral("„%1” nie jest pięciocyfrowym kodem obrazka").arg(field));
    return field.toInt();
}

QString emojiFamily()
{
    static QString family;
    if (family.isEmpty()) {
        const int id = QFontDatabase::addApplicationFont(emojiFontPath());
        if (id < 0)
            throw GameError(QStringLiteral("Nie można wczytać czcionki %1").arg(emojiFontPath()));
        family = QFontDatabase::applicationFontFamilies(id).value(0);
    }
    return family;
}

}  // namespace

QString emojiFontPath()
{
    return QStringLiteral("/usr/share/fonts/truetype/noto/NotoColorEmoji.ttf");
}

QList<PictureSource> parsePictures(const QString& text, const QString& fileName)
{
    QList<PictureSource> pictures;
    for (const auto& [line, fields] : fieldsOf(text)) {
        if (fields.size() < 3)
            refuse(fileName, line, QStringLiteral("potrzeba numeru, znaku emoji i nazwy"));
        PictureSource picture;
        picture.number = codeOf(fields.at(0), fileName, line);
        if (picture.number != pictures.size())
            refuse(fileName, line, QStringLiteral("obrazy muszą mieć kolejne numery od 00000, oczekiwano %1")
                                       .arg(pictures.size(), 5, 10, QLatin1Char('0')));
        for (const QString& hex : fields.at(1).split(QLatin1Char('+'))) {
            bool ok = false;
            const char32_t point = char32_t(hex.toUInt(&ok, 16));
            if (!ok || point == 0 || point > 0x10FFFF)
                refuse(fileName, line, QStringLiteral("„%1” nie jest kodem znaku").arg(hex));
            picture.emoji += QString::fromUcs4(&point, 1);
        }
        picture.name = fields.mid(2).join(QLatin1Char(' '));
        if (picture.name.size() > ArchiveWriter::maxNameLength)
            refuse(fileName, line, QStringLiteral("nazwa dłuższa niż %1 znaków").arg(ArchiveWriter::maxNameLength));
        pictures.append(picture);
    }
    return pictures;
}

QList<ListSource> parseList(const QString& text, const QString& fileName, bool withForms)
{
    QList<ListSource> items;
    for (const auto& [line, fields] : fieldsOf(text)) {
        ListSource item;
        item.pictureNumber = codeOf(fields.at(0), fileName, line);
        if (withForms) {
            if (fields.size() != 1 + ItemList::formCount)
                refuse(fileName, line, QStringLiteral("potrzeba kodu i trzech form nazwy, każda jednym słowem"));
            item.forms = fields.mid(1);
            for (const QString& form : item.forms)
                if (form.size() >= ItemList::formWidth)
                    refuse(fileName, line, QStringLiteral("forma „%1” ma ponad 29 znaków").arg(form));
        }
        items.append(item);
    }
    return items;
}

QImage renderPicture(const QString& emoji, int side)
{
    QFont font(emojiFamily());
    font.setPixelSize(side * 13 / 16);  // the glyph fills the ground with a small margin
    const QFontMetrics metrics(font);
    for (const char32_t point : emoji.toUcs4())
        if (point != 0xFE0F && point != 0x200D && !metrics.inFontUcs4(point))
            throw GameError(QStringLiteral("Czcionka %1 nie zawiera znaku U+%2")
                                .arg(emojiFamily())
                                .arg(quint32(point), 4, 16, QLatin1Char('0')));
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(pictureGround);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
    painter.setFont(font);
    painter.drawText(image.rect(), Qt::AlignCenter, emoji);
    painter.end();
    return image;
}

namespace {

void appendPngBytes(png_structp png, png_bytep data, size_t length)
{
    static_cast<QByteArray*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), qsizetype(length));
}

void flushNothing(png_structp) {}

// Writes `rgb` (Format_RGB888) as an RGB PNG into `out`; false when libpng
// fails. No filtering: our pictures are flat ground with one emoji, which
// compress smaller unfiltered, and every tile the game draws decodes faster
// without a filter to undo. Nothing with a destructor lives in this frame
// (libpng leaves by longjmp).
bool writeRgbPng(const QImage& rgb, const png_bytep* rows, QByteArray* out)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, out, appendPngBytes, flushNothing);
    png_set_IHDR(png, info, png_uint_32(rgb.width()), png_uint_32(rgb.height()), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(png, 9);
    png_write_info(png, info);
    png_write_image(png, const_cast<png_bytepp>(rows));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

QByteArray rgbPng(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    QByteArray bytes;
    std::vector<png_bytep> rows(size_t(qMax(0, rgb.height())));
    for (int y = 0; y < rgb.height(); ++y)
        rows[size_t(y)] = const_cast<png_bytep>(rgb.constScanLine(y));
    if (rgb.isNull() || !writeRgbPng(rgb, rows.data(), &bytes))
        throw GameError(QStringLiteral("Nie można zapisać obrazu PNG"));
    return bytes;
}

void buildDirectory(const QString& dataDir, const QString& outDir)
{
    const QDir data(dataDir);
    if (!QDir().mkpath(outDir))
        throw GameError(QStringLiteral("Nie można utworzyć katalogu %1").arg(outDir));
    const QDir out(outDir);

    const QList<PictureSource> sources =
        parsePictures(readText(data.filePath(QStringLiteral("pictures.txt"))), QStringLiteral("pictures.txt"));
    QList<ArchiveWriter::Picture> pictures;
    for (const PictureSource& source : sources)
        pictures.append({rgbPng(renderPicture(source.emoji)), source.name});
    ArchiveWriter::write(outDir, pictures);

    const struct { const char* source; const char* target; bool withForms; } lists[] = {
        {"F.txt", "F.tx", false}, {"G.txt", "G.tx", true}, {"H.txt", "H.tx", true}};
    for (const auto& list : lists) {
        const QString sourceName = QString::fromLatin1(list.source);
        QStringList lines;
        for (const ListSource& item : parseList(readText(data.filePath(sourceName)), sourceName, list.withForms))
            lines.append(formatItemLine(item.pictureNumber, item.forms));
        ArchiveWriter::writeFile(out.filePath(QString::fromLatin1(list.target)), encodeItemList(lines));
    }

    const char* const cues[] = {"A.wv", "B.wv", "C.wv"};
    for (int cue = 0; cue < SoundCues::cueCount; ++cue)
        ArchiveWriter::writeFile(out.filePath(QString::fromLatin1(cues[cue])),
                                 Wav::pcm16Mono(SoundCues::synthesize(cue), SoundCues::sampleRate));
}

QStringList packFolder(const QString& folder, const QString& outDir)
{
    const QDir dir(folder);
    if (!dir.exists())
        throw GameError(QStringLiteral("Brak katalogu %1").arg(folder));
    const QStringList files = dir.entryList({QStringLiteral("*.png"), QStringLiteral("*.PNG")}, QDir::Files, QDir::Name);
    if (files.isEmpty())
        throw GameError(QStringLiteral("Katalog %1 nie zawiera plików PNG").arg(folder));
    QList<ArchiveWriter::Picture> pictures;
    QStringList report;
    for (const QString& file : files) {
        QFile png(dir.filePath(file));
        if (!png.open(QIODevice::ReadOnly))
            throw GameError(QStringLiteral("Nie można otworzyć pliku \"%1\". %2").arg(png.fileName(), png.errorString()));
        pictures.append({png.readAll(), QFileInfo(file).completeBaseName().left(ArchiveWriter::maxNameLength)});
        report << QStringLiteral("%1 %2").arg(pictures.size() - 1, 5, 10, QLatin1Char('0')).arg(file);
    }
    if (!QDir().mkpath(outDir))
        throw GameError(QStringLiteral("Nie można utworzyć katalogu %1").arg(outDir));
    ArchiveWriter::write(outDir, pictures);
    return report;
}

}  // namespace ContentBuild
