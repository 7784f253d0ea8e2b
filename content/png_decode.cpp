// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/png_decode.h"

#include "content/game_error.h"

#include <QtEndian>
#include <png.h>

#include <csetjmp>
#include <cstring>
#include <vector>

namespace {

// Everything the libpng callbacks share with the decoder. Plain data only:
// libpng leaves its callbacks by longjmp, which must not skip destructors.
struct Source {
    const unsigned char* data;
    size_t size;
    size_t position;
    bool truncated;
    bool overLimit;
    char message[256];
};

void readBytes(png_structp png, png_bytep out, size_t length)
{
    auto* source = static_cast<Source*>(png_get_io_ptr(png));
    if (length > source->size - source->position) {
        source->truncated = true;
        png_error(png, "unexpected end of data");
    }
    std::memcpy(out, source->data + source->position, length);
    source->position += length;
}

void onError(png_structp png, png_const_charp message)
{
    auto* source = static_cast<Source*>(png_get_error_ptr(png));
    std::strncpy(source->message, message, sizeof source->message - 1);
    source->message[sizeof source->message - 1] = '\0';
    png_longjmp(png, 1);
}

void onWarning(png_structp png, png_const_charp message)
{
    // The only warning that matters: a header past our size limits, which
    // libpng reports as a warning just before it fails on the header.
    if (std::strstr(message, "exceeds user limit") != nullptr)
        static_cast<Source*>(png_get_error_ptr(png))->overLimit = true;
}

struct Header {
    png_uint_32 width;
    png_uint_32 height;
    bool composeOverBlack;
    bool mayHaveAlpha;  // the rows land with an alpha byte that is not always 0xFF
    bool plainRgb;      // 8-bit truecolour without transparency: rows land as R G B
};

// Reads the header and sets the transformations that turn every colour
// type into 8-bit pixels laid out like Format_RGB32 (alpha kept in the
// fourth byte). Nothing with a destructor may live in this frame.
bool readHeader(png_structp png, png_infop info, Header* header)
{
    if (setjmp(png_jmpbuf(png)))
        return false;

    png_read_info(png, info);
    header->width = png_get_image_width(png, info);
    header->height = png_get_image_height(png, info);
    // Each side is already within the user limits; their product is not.
    if (qint64(header->width) * qint64(header->height) > PngLimits::maxPixels) {
        static_cast<Source*>(png_get_error_ptr(png))->overLimit = true;
        png_error(png, "image exceeds the pixel budget");
    }
    const int colourType = png_get_color_type(png, info);
    const bool hasTrns = png_get_valid(png, info, PNG_INFO_tRNS) != 0;

    int nonOpaqueEntries = 0;
    if (colourType == PNG_COLOR_TYPE_PALETTE && hasTrns) {
        png_bytep alphas = nullptr;
        int count = 0;
        png_get_tRNS(png, info, &alphas, &count, nullptr);
        for (int i = 0; i < count; ++i)
            if (alphas[i] != 255)
                ++nonOpaqueEntries;
    }
    header->composeOverBlack = (colourType & PNG_COLOR_MASK_ALPHA) != 0 || nonOpaqueEntries > 1;

    const bool willHaveAlpha = (colourType & PNG_COLOR_MASK_ALPHA) != 0 || hasTrns;
    header->mayHaveAlpha = willHaveAlpha;
    // The usual picture: its rows are taken as they are and Qt's own
    // converter, vectorised, widens them to RGB32 afterwards, which is much
    // cheaper than libpng's byte-wise filler and swap.
    header->plainRgb = colourType == PNG_COLOR_TYPE_RGB && png_get_bit_depth(png, info) == 8 && !hasTrns;
    if (header->plainRgb) {
        png_set_interlace_handling(png);
        png_read_update_info(png, info);
        if (png_get_rowbytes(png, info) != size_t(header->width) * 3)
            png_error(png, "unexpected row layout");
        return true;
    }

    png_set_expand(png);  // palette to RGB, low grey depths to 8 bits, tRNS to alpha
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    png_set_bgr(png);  // B G R A in memory is 0xAARRGGBB
    if (!willHaveAlpha)
        png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
#else
    if (willHaveAlpha)
        png_set_swap_alpha(png);  // A R G B in memory is 0xAARRGGBB
    else
        png_set_add_alpha(png, 0xFF, PNG_FILLER_BEFORE);
#endif
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != size_t(header->width) * 4)
        png_error(png, "unexpected row layout");
    return true;
}

bool readPixels(png_structp png, png_bytepp rows)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_image(png, rows);
    png_read_end(png, nullptr);  // checks the chunks after the image, up to IEND
    return true;
}

// Frees libpng's structures whichever way the decoding ends.
struct ReadStruct {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~ReadStruct() { png_destroy_read_struct(&png, info ? &info : nullptr, nullptr); }
};

[[noreturn]] void fail(const Source& source)
{
    const QString detail = QString::fromLatin1(source.message);
    if (source.overLimit)
        throw GameError(
            QStringLiteral("Obraz PNG jest za duży (dopuszczalne są najwyżej %1 piksele z boku i %2 pikseli w sumie)")
                .arg(PngLimits::maxSide)
                .arg(PngLimits::maxPixels));
    if (source.truncated)
        throw GameError(QStringLiteral("Obraz PNG jest niepełny"));
    if (detail.contains(QLatin1String("Not a PNG file"), Qt::CaseInsensitive)
        || detail.contains(QLatin1String("PNG file corrupted by ASCII conversion")))
        throw GameError(QStringLiteral("Dane obrazu nie są plikiem PNG"));
    if (detail.contains(QLatin1String("CRC error")))
        throw GameError(QStringLiteral("Obraz PNG ma błędną sumę kontrolną (%1)").arg(detail));
    if (detail.contains(QLatin1String("memory")) || detail.contains(QLatin1String("too large"))
        || detail.contains(QLatin1String("exceeds")))
        throw GameError(QStringLiteral("Obraz PNG zawiera zbyt duży blok danych (%1)").arg(detail));
    throw GameError(QStringLiteral("Uszkodzony obraz PNG (%1)").arg(detail));
}

}  // namespace

QImage decodeOpaquePng(const QByteArray& png)
{
    if (png.isEmpty())
        throw GameError(QStringLiteral("Brak danych obrazu PNG"));

    Source source{reinterpret_cast<const unsigned char*>(png.constData()), size_t(png.size()), 0,
                  false, false, {}};
    ReadStruct read;
    read.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &source, onError, onWarning);
    if (read.png)
        read.info = png_create_info_struct(read.png);
    if (!read.png || !read.info)
        throw GameError(QStringLiteral("Za mało pamięci na odczytanie obrazu PNG"));

    png_set_read_fn(read.png, &source, readBytes);
    png_set_user_limits(read.png, PngLimits::maxSide, PngLimits::maxSide);
    png_set_chunk_malloc_max(read.png, PngLimits::maxChunkBytes);
    png_set_chunk_cache_max(read.png, PngLimits::maxCachedChunks);
    // A picture of ours is either sound or refused: no CRC or benign error is
    // waved through, so a damaged archive shows as an error, never as noise.
    png_set_crc_action(read.png, PNG_CRC_ERROR_QUIT, PNG_CRC_ERROR_QUIT);
    png_set_benign_errors(read.png, 0);
#ifdef PNG_IGNORE_ADLER32
    // The CRC-32 of every IDAT chunk, checked above, already covers each byte
    // of the compressed stream; zlib's Adler-32 over the inflated rows would
    // check the same bytes a second time and costs a sixth of the decoding.
    png_set_option(read.png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
#endif

    Header header{};
    if (!readHeader(read.png, read.info, &header))
        fail(source);

    QImage image(int(header.width), int(header.height),
                 header.plainRgb ? QImage::Format_RGB888 : QImage::Format_RGB32);
    if (image.isNull())
        throw GameError(QStringLiteral("Za mało pamięci na obraz PNG %1 × %2").arg(header.width).arg(header.height));
    std::vector<png_bytep> rows(header.height);
    for (png_uint_32 y = 0; y < header.height; ++y)
        rows[y] = image.scanLine(int(y));
    if (!readPixels(read.png, rows.data()))
        fail(source);

    if (header.plainRgb) {
        image.convertTo(QImage::Format_RGB32);
        if (image.format() != QImage::Format_RGB32)
            throw GameError(QStringLiteral("Za mało pamięci na obraz PNG %1 × %2").arg(header.width).arg(header.height));
        return image;
    }
    // Other opaque pictures land with a 0xFF filler and are done; only an
    // alpha channel needs a pass over the pixels.
    if (header.mayHaveAlpha) {
        const int width = image.width();
        const int height = image.height();
        for (int y = 0; y < height; ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            if (header.composeOverBlack) {
                for (int x = 0; x < width; ++x) {
                    const QRgb pixel = line[x];
                    const unsigned alpha = qAlpha(pixel);
                    line[x] = qRgb((qRed(pixel) * alpha + 127) / 255, (qGreen(pixel) * alpha + 127) / 255,
                                   (qBlue(pixel) * alpha + 127) / 255);
                }
            } else {
                for (int x = 0; x < width; ++x)
                    line[x] |= 0xFF000000u;
            }
        }
    }
    return image;
}
