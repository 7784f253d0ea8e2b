// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/content_build.h"

#include "content/archive_writer.h"
#include "content/content_check.h"
#include "content/game_error.h"
#include "content/io_error.h"
#include "content/item_list.h"
#include "content/picture_fit.h"
#include "content/plural_word.h"
#include "content/set_folder.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <filesystem>
#include <vector>

namespace ContentBuild {

namespace {

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
    const QStringList all = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    for (int i = 0; i < all.size(); ++i) {
        const int line = i + 1;
        QString rest = all.at(i).trimmed();
        if (rest.isEmpty() || rest.startsWith(QLatin1Char('#')))
            continue;
        // The number, then the picture, then the name, which may hold blanks.
        const auto takeField = [&rest] {
            const qsizetype blank = rest.indexOf(QLatin1Char(' '));
            const QString field = rest.left(blank < 0 ? rest.size() : blank);
            rest = blank < 0 ? QString() : rest.mid(blank + 1).trimmed();
            return field;
        };
        PictureSource picture;
        picture.line = line;
        const QString number = takeField();
        if (rest.isEmpty() || (!rest.startsWith(QLatin1Char('"')) && !rest.contains(QLatin1Char(' '))))
            refuse(fileName, line, QStringLiteral("potrzeba numeru, obrazka (znaku emoji albo pliku) i nazwy"));
        picture.number = codeOf(number, fileName, line);
        if (picture.number != pictures.size())
            refuse(fileName, line, QStringLiteral("obrazy muszą mieć kolejne numery od 00000, oczekiwano %1")
                                       .arg(pictures.size(), 5, 10, QLatin1Char('0')));
        if (rest.startsWith(QLatin1Char('"'))) {
            // A file name with blanks stands in double quotes.
            const qsizetype close = rest.indexOf(QLatin1Char('"'), 1);
            if (close < 0)
                refuse(fileName, line, QStringLiteral("brak cudzysłowu zamykającego nazwę pliku"));
            picture.file = rest.mid(1, close - 1);
            rest = rest.mid(close + 1).trimmed();
            if (picture.file.isEmpty() || rest.isEmpty())
                refuse(fileName, line, QStringLiteral("potrzeba numeru, obrazka (znaku emoji albo pliku) i nazwy"));
        } else {
            const QString source = takeField();
            if (source.contains(QLatin1Char('.')) || source.contains(QLatin1Char('/')))
                picture.file = source;
            else
                for (const QString& hex : source.split(QLatin1Char('+'))) {
                    bool ok = false;
                    const char32_t point = char32_t(hex.toUInt(&ok, 16));
                    if (!ok || point == 0 || point > 0x10FFFF)
                        refuse(fileName, line, QStringLiteral("„%1” nie jest kodem znaku ani nazwą pliku (pliki "
                                                              "mają rozszerzenie, np. kot.jpg)").arg(hex));
                    picture.emoji += QString::fromUcs4(&point, 1);
                }
        }
        picture.name = rest.simplified();
        if (picture.name.size() > ArchiveWriter::maxNameLength)
            refuse(fileName, line, QStringLiteral("nazwa dłuższa niż %1 znaków").arg(ArchiveWriter::maxNameLength));
        pictures.append(picture);
    }
    return pictures;
}

QList<ListSource> parseList(const QString& text, const QString& fileName, ListForms forms, QStringList* faults)
{
    QList<ListSource> items;
    for (const auto& [line, fields] : fieldsOf(text)) {
        try {
            ListSource item;
            item.line = line;
            item.pictureNumber = codeOf(fields.at(0), fileName, line);
            if (forms == ListForms::Required || fields.size() == 1 + ItemList::formCount) {
                if (fields.size() != 1 + ItemList::formCount)
                    refuse(fileName, line, QStringLiteral("potrzeba kodu i trzech form nazwy, każda jednym słowem"));
                item.forms = fields.mid(1);
                for (const QString& form : item.forms)
                    if (form.size() >= ItemList::formWidth)
                        refuse(fileName, line, QStringLiteral("forma „%1” ma ponad 29 znaków").arg(form));
            }
            items.append(item);
        } catch (const GameError& error) {
            if (!faults)
                throw;
            faults->append(error.message());
        }
    }
    return items;
}

QImage renderPicture(const QString& emoji, int side)
{
    QFont font(emojiFamily());
    font.setPixelSize(PictureFit::roomFor(side));  // the glyph fills the ground with a small margin
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

void writeContents(const SetFolder::Contents& contents, const QString& outDir)
{
    if (!QDir().mkpath(outDir))
        throw GameError(QStringLiteral("Nie można utworzyć katalogu %1").arg(outDir));
    const QDir out(outDir);
    ArchiveWriter::write(outDir, contents.pictures);
    for (size_t list = 0; list < SetFolder::listFiles.size(); ++list)
        ArchiveWriter::writeFile(out.filePath(QString::fromLatin1(SetFolder::listFiles[list])),
                                 encodeItemList(contents.lists[list]));
    for (size_t cue = 0; cue < SetFolder::cueFiles.size(); ++cue)
        ArchiveWriter::writeFile(out.filePath(QString::fromLatin1(SetFolder::cueFiles[cue])), contents.cues[cue]);
    if (!contents.pluralWord.isEmpty())
        ArchiveWriter::writeFile(out.filePath(PluralWord::fileName), contents.pluralWord.toUtf8() + '\n');
}

QStringList buildDirectory(const QString& setFolder, const QString& outDir)
{
    // Every picture and list is read before anything is written.
    const SetFolder::Contents contents = SetFolder::read(setFolder);
    const QString target = QDir::cleanPath(QDir(outDir).absolutePath());
    const QFileInfo targetInfo(target);
    if (targetInfo.exists() && !targetInfo.isDir())
        throw GameError(QStringLiteral("%1 nie jest katalogiem").arg(QDir::toNativeSeparators(target)));
    const QString parent = targetInfo.absolutePath();
    if (!QDir().mkpath(parent))
        throw GameError(QStringLiteral("Nie można utworzyć katalogu %1").arg(QDir::toNativeSeparators(parent)));
    QTemporaryDir staging(parent + QStringLiteral("/.") + targetInfo.fileName() + QStringLiteral(".budowa-XXXXXX"));
    if (!staging.isValid())
        throw GameError(QStringLiteral("Nie można utworzyć katalogu roboczego w %1: %2.")
                            .arg(QDir::toNativeSeparators(parent), IoError::systemReason(errno)));
    writeContents(contents, staging.path());
    const QStringList faults = ContentCheck::checkDirectory(staging.path());
    if (!faults.isEmpty())
        throw GameError(QStringLiteral("Zestaw nie przeszedł sprawdzenia, nic nie zapisano:\n") +
                        faults.join(QLatin1Char('\n')));

    if (!targetInfo.exists()) {
        // The staging folder is private; the content directory is not.
        QFile::setPermissions(staging.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                                  QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                                                  QFileDevice::ReadOther | QFileDevice::ExeOther);
        if (!QDir().rename(staging.path(), target))
            throw GameError(QStringLiteral("Nie można utworzyć katalogu %1").arg(QDir::toNativeSeparators(target)));
        staging.setAutoRemove(false);
        return contents.warnings;
    }
    // A plural word of the set before stays only when the new set has one.
    if (contents.pluralWord.isEmpty())
        QFile::remove(target + QLatin1Char('/') + PluralWord::fileName);
    QStringList files = ContentCheck::contentFiles();
    if (!contents.pluralWord.isEmpty())
        files << PluralWord::fileName;
    for (const QString& file : files) {
        std::error_code failure;
        // From UTF-16 the path reaches each system in its own encoding (UTF-8
        // here, UTF-16 on Windows, where a narrow string would be ANSI).
        std::filesystem::rename(std::filesystem::path(staging.filePath(file).toStdU16String()),
                                std::filesystem::path((target + QLatin1Char('/') + file).toStdU16String()), failure);
        if (failure)
            throw GameError(QStringLiteral("Nie można zapisać pliku %1")
                                .arg(QDir::toNativeSeparators(target + QLatin1Char('/') + file)));
    }
    return contents.warnings;
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
            throw GameError(QStringLiteral("Nie można otworzyć pliku \"%1\": %2.")
                                .arg(png.fileName(), IoError::systemReason(errno)));
        pictures.append({png.readAll(), QFileInfo(file).completeBaseName().left(ArchiveWriter::maxNameLength)});
        report << QStringLiteral("%1 %2").arg(pictures.size() - 1, 5, 10, QLatin1Char('0')).arg(file);
    }
    if (!QDir().mkpath(outDir))
        throw GameError(QStringLiteral("Nie można utworzyć katalogu %1").arg(outDir));
    ArchiveWriter::write(outDir, pictures);
    return report;
}

}  // namespace ContentBuild
