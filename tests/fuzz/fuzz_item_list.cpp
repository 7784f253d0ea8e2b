// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: the item-list decoder and the name rule. Whatever the bytes,
// decoding yields lines without line breaks or NULs, every name form is one
// word of at most 29 characters, and a picture code and the level check
// either pass or raise a GameError with a message.
#include "content/game_error.h"
#include "content/item_list.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList lines = decodeItemList(bytes);
    if (std::size_t(lines.size()) > size + 1)
        std::abort();
    for (const QString& line : lines) {
        if (line.contains(QLatin1Char('\r')) || line.contains(QLatin1Char('\n')) || line.contains(QChar(0)))
            std::abort();
        for (int form = 0; form < 4; ++form) {
            const QString name = nameForm(line, form);
            if (name.size() > 29 || name.contains(QLatin1Char(' ')))
                std::abort();
        }
        try {
            const QString code = line.left(ItemList::codeLength);
            const int number = pictureNumberOf(code);
            // Accepted codes are plain decimal numbers of exactly that value.
            bool decimal = false;
            if (code.toLongLong(&decimal, 10) != number || !decimal)
                std::abort();
        } catch (const GameError& error) {
            if (error.message().isEmpty())
                std::abort();
        }
    }
    for (int itemsPerShelf : {3, 4}) {
        try {
            checkItemListForLevel(lines, itemsPerShelf, QStringLiteral("F.tx"));
            // A list that passes holds enough lines, each long enough for its code.
            if (itemLineCount(lines) < itemsPerShelf)
                std::abort();
            for (int i = 0; i < itemLineCount(lines); ++i)
                if (lines.at(i).size() < ItemList::codeLength)
                    std::abort();
        } catch (const GameError& error) {
            if (error.message().isEmpty())
                std::abort();
        }
    }
    return 0;
}
