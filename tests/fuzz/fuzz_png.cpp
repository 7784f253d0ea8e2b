// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: PNG decoding into an opaque bitmap. A valid stream gives a
// bitmap of the size its header states, with no alpha; anything else gives
// a GameError with a message. Memory stays bounded by the decoder limits.
#include "content/game_error.h"
#include "content/png_decode.h"

#include <QByteArray>
#include <QImage>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <zlib.h>

namespace {

std::uint32_t readBe32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | std::uint32_t(p[3]);
}

void writeBe32(std::uint8_t* p, std::uint32_t value)
{
    p[0] = std::uint8_t(value >> 24);
    p[1] = std::uint8_t(value >> 16);
    p[2] = std::uint8_t(value >> 8);
    p[3] = std::uint8_t(value);
}

// The same stream with every whole chunk's CRC made right: mutations rarely
// keep a checksum, and without this the fuzzer would stop at the first CRC.
QByteArray withCrcsRepaired(const std::uint8_t* data, std::size_t size)
{
    QByteArray copy(reinterpret_cast<const char*>(data), qsizetype(size));
    auto* bytes = reinterpret_cast<std::uint8_t*>(copy.data());
    std::size_t at = 8;
    while (at + 12 <= size) {
        const std::uint32_t length = readBe32(bytes + at);
        if (length > size - at - 12)
            break;
        writeBe32(bytes + at + 8 + length, std::uint32_t(crc32(0, bytes + at + 4, uInt(length + 4))));
        at += 12 + length;
    }
    return copy;
}

void decodeAndCheck(const QByteArray& bytes)
{
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    const auto size = std::size_t(bytes.size());
    try {
        const QImage picture = decodeOpaquePng(bytes);
        if (picture.isNull() || picture.hasAlphaChannel())
            std::abort();
        // The header chunk comes first: its width and height are the bitmap's.
        if (size < 24 || std::memcmp(data + 12, "IHDR", 4) != 0)
            std::abort();
        if (std::uint32_t(picture.width()) != readBe32(data + 16) ||
            std::uint32_t(picture.height()) != readBe32(data + 20))
            std::abort();
    } catch (const GameError& error) {
        if (error.message().isEmpty())
            std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    decodeAndCheck(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    decodeAndCheck(withCrcsRepaired(data, size));
    return 0;
}
