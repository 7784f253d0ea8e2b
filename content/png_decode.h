// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Decoding of one PNG file into the opaque bitmap the tiles are drawn from.

#include <QByteArray>
#include <QImage>

// Limits no real picture reaches, a teacher's photograph included; a
// picture past them is refused before anything of its size is allocated.
// The pixel budget bounds the decoded bitmap at 64 MiB.
namespace PngLimits {
inline constexpr int maxSide = 8192;                     // pixels, each way
inline constexpr qint64 maxPixels = 16 * 1024 * 1024;    // width × height
inline constexpr unsigned long maxChunkBytes = 1u << 20; // one ancillary chunk, also once inflated
inline constexpr unsigned maxCachedChunks = 64;          // text, sPLT and unknown chunks kept
}

// Decodes `png` (a whole PNG file) with libpng into a Format_RGB32 image of
// the PNG's size. Opacity: pictures with an alpha channel, and palettes with
// more than one entry that is not fully opaque, are composed over black;
// a single transparent colour (tRNS of a grey or RGB picture, or one such
// palette entry) keeps its stored colour; everything else is as stored.
// Throws GameError with a Polish message for a stream that is not a valid,
// complete PNG within the limits above (bad CRCs included).
QImage decodeOpaquePng(const QByteArray& png);
