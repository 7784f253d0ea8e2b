// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: reading a teacher's text file whatever its encoding, and the
// plural word of nazwa.txt. Whatever the bytes, the reader returns text or
// refuses naming the file and a line; UTF-8 is read as it is and never with
// a warning, and a warning comes only with text that is not UTF-8.
#include "content/game_error.h"
#include "content/plural_word.h"
#include "content/set_text.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const bool utf8 = SetText::firstNonUtf8(bytes) < 0;
    try {
        const SetText::Decoded decoded = SetText::decode(bytes, QStringLiteral("G.txt"));
        if (utf8 && !bytes.startsWith("\xEF\xBB\xBF") && !bytes.startsWith("\xFF\xFE") &&
            !bytes.startsWith("\xFE\xFF") && decoded.text != QString::fromUtf8(bytes))
            std::abort();
        if (!decoded.warning.isEmpty() && (utf8 || !decoded.warning.startsWith(QStringLiteral("G.txt "))))
            std::abort();
        try {
            const QString word = PluralWord::parse(decoded.text);
            if (word.isEmpty() || word.toUcs4().size() > PluralWord::maxLength || word.contains(QLatin1Char('\n')))
                std::abort();
        } catch (const GameError& error) {
            if (!error.message().startsWith(PluralWord::fileName))
                std::abort();
        }
    } catch (const GameError& error) {
        if (!error.message().startsWith(QStringLiteral("G.txt, wiersz ")))
            std::abort();
    }
    return 0;
}
