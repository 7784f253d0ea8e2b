// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Windows-1250 (Central European) code page: the 8-bit code page of a
// Polish Windows, in which item lists without a byte-order mark and the
// picture names of the archive are written. Our own table, so it works the
// same with or without ICU.

#include <QByteArray>
#include <QString>

namespace Windows1250 {
QString decode(const QByteArray& bytes);
// Characters the code page lacks become '?'.
QByteArray encode(const QString& text);
}
