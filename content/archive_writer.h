// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing a picture archive (E.bt and D.bb) from PNG files: used by the
// content tool to pack the pictures that ship and by the tests to make
// archives, sound or deliberately damaged, record by record.

#include <QByteArray>
#include <QList>
#include <QString>

namespace ArchiveWriter {

struct Picture {
    QByteArray png;
    QString name;
};

// Longest name the name field holds: 42 characters less the two leading
// characters and the closing carriage return.
inline constexpr int maxNameLength = 39;

// One 56-byte index record. The name is stored in Windows-1250 after two
// blanks and closed by a carriage return, cut to maxNameLength.
QByteArray indexRecord(qint32 first, qint32 count, const QString& name);
// The same with the name field's bytes (length byte first, up to 43 bytes)
// given as they are, for names a reader must cope with.
QByteArray indexRecordWithField(qint32 first, qint32 count, const QByteArray& nameField);
// One 257-byte data record holding `payload` (at most 255 bytes).
QByteArray dataRecord(const QByteArray& payload);

struct Files {
    QByteArray index;
    QByteArray data;
};

// The two files for `pictures`, picture n at index record n, each PNG cut
// into payloads of `payloadSize` bytes (1 to 255; the last one shorter).
Files build(const QList<Picture>& pictures, int payloadSize = 255);

// Writes E.bt and D.bb into `directory` (with or without a trailing
// separator). Throws GameError when a file cannot be written.
void write(const QString& directory, const QList<Picture>& pictures, int payloadSize = 255);

// Writes `bytes` to `path` whole (replacing it only once all is written).
// Throws GameError with a Polish message on failure.
void writeFile(const QString& path, const QByteArray& bytes);

}  // namespace ArchiveWriter
