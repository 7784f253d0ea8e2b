// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/picture_fit.h"

#include "content/game_error.h"

#include <QImageReader>
#include <QPainter>

namespace PictureFit {

namespace {
// A photograph of 40 megapixels is plenty; past that a file is refused
// rather than decoded into hundreds of megabytes.
constexpr int maxSourceSide = 8192;

// The reader's own messages are English; a teacher reads these.
QString readerProblem(const QImageReader& reader)
{
    switch (reader.error()) {
    case QImageReader::FileNotFoundError:
        return QStringLiteral("nie ma takiego pliku");
    case QImageReader::DeviceError:
        return QStringLiteral("nie można odczytać pliku");
    case QImageReader::UnsupportedFormatError:
        return QStringLiteral("to nie jest obraz w znanym formacie (PNG, JPEG, BMP, GIF, SVG, WebP, TIFF)");
    case QImageReader::InvalidDataError:
        return QStringLiteral("plik obrazu jest uszkodzony");
    default:
        return QStringLiteral("nieznany błąd odczytu");
    }
}
}

QImage fitted(const QImage& image, int side, const QColor& ground)
{
    QImage picture(side, side, QImage::Format_RGB32);
    picture.fill(ground);
    if (image.isNull() || image.width() <= 0 || image.height() <= 0)
        return picture;
    const int room = roomFor(side);
    const QSize size = image.size().scaled(room, room, Qt::KeepAspectRatio).expandedTo({1, 1});
    const QImage scaled = image.size() == size
                              ? image
                              : image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&picture);
    // Drawn over the ground, so every transparent pixel takes its colour.
    painter.drawImage((side - size.width()) / 2, (side - size.height()) / 2, scaled);
    painter.end();
    return picture;
}

QImage fittedFile(const QString& path, int side, const QColor& ground)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);  // photographs carry their orientation
    const QSize original = reader.size();
    if (original.width() > maxSourceSide || original.height() > maxSourceSide)
        throw GameError(QStringLiteral("Nie można wczytać obrazu „%1”: obraz większy niż %2 × %2 pikseli")
                            .arg(path)
                            .arg(maxSourceSide));
    // Vector pictures are rendered straight at the size they will have.
    if (reader.format() == "svg" || reader.format() == "svgz")
        if (original.isValid() && !original.isEmpty())
            reader.setScaledSize(original.scaled(side, side, Qt::KeepAspectRatio));  // fitted() scales the rest
    const QImage image = reader.read();
    if (image.isNull())
        throw GameError(QStringLiteral("Nie można wczytać obrazu „%1”: %2").arg(path, readerProblem(reader)));
    return fitted(image, side, ground);
}

}  // namespace PictureFit
