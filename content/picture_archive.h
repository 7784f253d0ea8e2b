// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The picture archive: the index E.bt (56-byte records) and the data D.bb
// (257-byte records) in the content directory. Record n of E.bt describes
// picture n: bytes 0-3 First and 4-7 Count (little-endian signed) name the
// run of D.bb records whose payloads (byte 1 the length, bytes 2.. the bytes)
// joined make one PNG file; byte 13 is the length of the name field at 14..55.

#include <QImage>
#include <QString>

namespace PictureArchive {
inline constexpr int indexRecordSize = 56;
inline constexpr int dataRecordSize = 257;
inline constexpr int payloadCapacity = 255;
inline constexpr int nameCapacity = 42;
// No item picture comes near these: a picture over more data records, or
// with more bytes once joined, is refused instead of read.
inline constexpr qint64 maxPictureRecords = 65536;
inline constexpr qint64 maxPictureBytes = 8 * 1024 * 1024;

// The picture's name in its index record's name field: characters 3 to 42
// of the used part, up to the first carriage return; empty when there is
// none. `field` is the 43 bytes at offset 13 (length byte first).
QString nameOf(const QByteArray& field);
}

// Loads picture `number` from the archive in `directory` (with its trailing
// separator) and returns it opaque, Format_RGB32, at the PNG's size; `name`
// receives the picture's name. Both files are opened and closed within the
// call and nothing is kept. Throws GameError: the I/O error texts for file
// failures (100 "Czytanie za końcem pliku" for records past the end), the
// PNG decoder's texts for a damaged picture.
QImage LoadArchivePicture(const QString& directory, qint32 number, QString& name);
