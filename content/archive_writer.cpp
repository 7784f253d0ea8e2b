// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/archive_writer.h"

#include "content/game_error.h"
#include "content/io_error.h"
#include "content/little_endian.h"
#include "content/picture_archive.h"
#include "content/windows1250.h"

#include <QDir>
#include <QSaveFile>
#include <QtEndian>

#include <cerrno>

namespace ArchiveWriter {

QByteArray indexRecordWithField(qint32 first, qint32 count, const QByteArray& nameField)
{
    QByteArray record;
    record.reserve(PictureArchive::indexRecordSize);
    LittleEndian::append<qint32>(record, first);
    LittleEndian::append<qint32>(record, count);
    record.append(5, '\0');
    record.append(nameField.left(1 + PictureArchive::nameCapacity));
    record.append(PictureArchive::indexRecordSize - record.size(), '\0');
    return record;
}

QByteArray indexRecord(qint32 first, qint32 count, const QString& name)
{
    const QByteArray characters =
        QByteArray("  ") + Windows1250::encode(name).left(maxNameLength) + QByteArray("\r");
    return indexRecordWithField(first, count, char(characters.size()) + characters);
}

QByteArray dataRecord(const QByteArray& payload)
{
    Q_ASSERT(payload.size() <= PictureArchive::payloadCapacity);
    QByteArray record;
    record.reserve(PictureArchive::dataRecordSize);
    record.append('\0');
    record.append(char(quint8(payload.size())));
    record.append(payload.left(PictureArchive::payloadCapacity));
    record.append(PictureArchive::dataRecordSize - record.size(), '\0');
    return record;
}

Files build(const QList<Picture>& pictures, int payloadSize)
{
    payloadSize = qBound(1, payloadSize, PictureArchive::payloadCapacity);
    Files files;
    qint32 next = 0;
    for (const Picture& picture : pictures) {
        const qint32 first = next;
        for (qsizetype at = 0; at < picture.png.size(); at += payloadSize) {
            files.data += dataRecord(picture.png.mid(at, payloadSize));
            ++next;
        }
        files.index += indexRecord(first, next - first, picture.name);
    }
    return files;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        const int reason = errno != 0 ? errno : EIO;
        throw GameError(QStringLiteral("Nie można zapisać pliku \"%1\": %2.")
                            .arg(QDir::toNativeSeparators(path), IoError::systemReason(reason)));
    }
}

void write(const QString& directory, const QList<Picture>& pictures, int payloadSize)
{
    const Files files = build(pictures, payloadSize);
    const QDir dir(directory);
    writeFile(dir.filePath(QStringLiteral("E.bt")), files.index);
    writeFile(dir.filePath(QStringLiteral("D.bb")), files.data);
}

}  // namespace ArchiveWriter
