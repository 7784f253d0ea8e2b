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

namespace {

std::uint32_t readBe32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | std::uint32_t(p[3]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
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
    return 0;
}
