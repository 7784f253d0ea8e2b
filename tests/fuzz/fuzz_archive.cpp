// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: the picture archive reader. One input holds the picture
// number, the index file and the data file:
//   [number: 4 bytes LE][index length: 4 bytes LE][index bytes][data bytes]
// Whatever the bytes, a load either returns an opaque bitmap or raises a
// GameError; it never crashes, leaks or allocates without bound.
#include "content/game_error.h"
#include "content/picture_archive.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

std::uint32_t readLe32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

void writeFile(const QString& path, const char* bytes, qsizetype size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(bytes, size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir dir;
    if (size < 8)
        return 0;
    const auto number = static_cast<qint32>(readLe32(data));
    const std::size_t indexLength = std::min<std::size_t>(readLe32(data + 4), size - 8);
    const auto* rest = reinterpret_cast<const char*>(data + 8);
    const QString base = dir.path() + QLatin1Char('/');
    writeFile(base + QStringLiteral("E.bt"), rest, qsizetype(indexLength));
    writeFile(base + QStringLiteral("D.bb"), rest + indexLength, qsizetype(size - 8 - indexLength));
    try {
        QString name;
        const QImage picture = LoadArchivePicture(base, number, name);
        if (picture.isNull() || picture.hasAlphaChannel())
            std::abort();   // a returned picture is always a whole, opaque bitmap
        if (name.size() > 40)
            std::abort();   // the name comes from 40 characters at most
    } catch (const GameError& error) {
        if (error.message().isEmpty())
            std::abort();   // every failure tells the player something
    }
    return 0;
}
