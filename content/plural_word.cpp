// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/plural_word.h"

#include "content/game_error.h"
#include "content/set_text.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace PluralWord {

QString parse(const QString& text)
{
    QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    if (lines.isEmpty())
        throw GameError(QStringLiteral("%1: plik jest pusty; wpisz w nim nazwę przedmiotów zestawu w liczbie mnogiej, "
                                       "np. zwierzęta")
                            .arg(fileName));
    if (lines.size() > 1)
        throw GameError(QStringLiteral("%1, wiersz 2: plik ma mieć jeden wiersz: nazwę przedmiotów zestawu w liczbie "
                                       "mnogiej, np. zwierzęta")
                            .arg(fileName));
    const QString word = lines.first().trimmed();
    if (word.isEmpty())
        throw GameError(QStringLiteral("%1, wiersz 1: wiersz jest pusty; wpisz nazwę przedmiotów zestawu w liczbie "
                                       "mnogiej, np. zwierzęta")
                            .arg(fileName));
    for (const QChar c : word)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            throw GameError(QStringLiteral("%1, wiersz 1: nazwa ma znak, którego nie widać; wpisz samo słowo")
                                .arg(fileName));
    const qsizetype length = word.toUcs4().size();
    if (length > maxLength)
        throw GameError(QStringLiteral("%1, wiersz 1: nazwa ma %2 znaków, może mieć najwyżej %3")
                            .arg(fileName)
                            .arg(length)
                            .arg(maxLength));
    return word;
}

QString read(const QString& dir)
{
    QFile file(QDir(dir).filePath(fileName));
    if (!file.open(QIODevice::ReadOnly) || file.size() > 4096)
        return {};
    try {
        return parse(SetText::decode(file.readAll(), fileName).text);
    } catch (const GameError&) {
        return {};
    }
}

}  // namespace PluralWord
