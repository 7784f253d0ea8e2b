// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Appending integers in little-endian byte order, as the archive records and
// the WAV headers the content writers make store them.

#include <QByteArray>
#include <QtEndian>

namespace LittleEndian {

template <typename Integer>
void append(QByteArray& bytes, Integer value)
{
    char raw[sizeof(Integer)];
    qToLittleEndian(value, raw);
    bytes.append(raw, qsizetype(sizeof(Integer)));
}

}  // namespace LittleEndian
