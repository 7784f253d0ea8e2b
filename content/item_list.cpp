// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/item_list.h"

#include "content/game_error.h"
#include "content/io_error.h"
#include "content/windows1250.h"

#include <QFile>
#include <QStringDecoder>

#include <cerrno>
#include <limits>

QStringList loadItemList(const QString& path)
{
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        const int code = IoError::classifyOpenFailure(path, errno);
        throw GameError(QStringLiteral("Nie można otworzyć pliku \"%1\". %2")
                            .arg(path, IoError::systemText(code, file)));
    }
    if (file.size() > ItemList::maxFileSize)
        throw GameError(QStringLiteral("Plik \"%1\" jest za duży jak na listę przedmiotów (%2 bajtów)")
                            .arg(path)
                            .arg(file.size()));
    const QByteArray bytes = file.read(ItemList::maxFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        throw GameError(QStringLiteral("Nie można odczytać pliku \"%1\". %2").arg(path, file.errorString()));
    return decodeItemList(bytes);
}

QStringList decodeItemList(const QByteArray& bytes)
{
    QString text;
    auto decodeWith = [&](QStringConverter::Encoding encoding, int markLength) {
        QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
        text = decoder.decode(bytes.sliced(markLength));
    };
    if (bytes.startsWith("\xEF\xBB\xBF"))
        decodeWith(QStringConverter::Utf8, 3);
    else if (bytes.startsWith("\xFF\xFE"))
        decodeWith(QStringConverter::Utf16LE, 2);
    else if (bytes.startsWith("\xFE\xFF"))
        decodeWith(QStringConverter::Utf16BE, 2);
    else
        text = Windows1250::decode(bytes);

    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text.truncate(nul);

    QStringList lines;
    qsizetype start = 0;
    const qsizetype length = text.size();
    for (qsizetype i = 0; i < length; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < length && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < length)
        lines.append(text.mid(start));
    return lines;
}

QString nameForm(const QString& line, int form)
{
    if (form < 0)
        return {};
    const QString padded = line + QLatin1Char(' ');
    const qsizetype start = ItemList::formStart + qsizetype(ItemList::formWidth) * form;
    if (start >= padded.size())
        return {};
    const QString field = padded.mid(start, ItemList::formWidth);
    const qsizetype blank = field.indexOf(QLatin1Char(' '));
    return blank < 0 ? QString() : field.left(blank);
}

int pictureNumberOf(const QString& code)
{
    // An optional sign and decimal digits, nothing else: no blanks, no hex.
    qint64 value = 0;
    qsizetype i = 0;
    bool negative = false;
    if (i < code.size() && (code.at(i) == QLatin1Char('+') || code.at(i) == QLatin1Char('-'))) {
        negative = code.at(i) == QLatin1Char('-');
        ++i;
    }
    bool ok = i < code.size();
    for (; ok && i < code.size(); ++i) {
        const char16_t unit = code.at(i).unicode();
        ok = unit >= u'0' && unit <= u'9';
        value = value * 10 + (unit - u'0');
        ok = ok && value <= qint64(std::numeric_limits<int>::max()) + (negative ? 1 : 0);
    }
    if (!ok)
        throw GameError(QStringLiteral("'%1' nie jest poprawną wartością liczbową").arg(code));
    return int(negative ? -value : value);
}

int itemLineCount(const QStringList& lines)
{
    int count = int(lines.size());
    while (count > 0 && lines.at(count - 1).isEmpty())
        --count;
    return count;
}

void checkItemListForLevel(const QStringList& lines, int itemsPerShelf, const QString& path)
{
    const int count = itemLineCount(lines);
    for (int i = 0; i < count; ++i) {
        if (lines.at(i).size() < ItemList::codeLength)
            throw GameError(QStringLiteral("Wiersz %1 listy przedmiotów \"%2\" nie zaczyna się "
                                           "pięcioznakowym kodem obrazka")
                                .arg(i + 1)
                                .arg(path));
    }
    if (count < itemsPerShelf)
        throw GameError(QStringLiteral("Lista przedmiotów \"%1\" ma za mało wierszy: %2, a półka "
                                       "potrzebuje co najmniej %3")
                            .arg(path)
                            .arg(count)
                            .arg(itemsPerShelf));
}

QString formatItemLine(int pictureNumber, const QStringList& forms)
{
    QString line = QStringLiteral("%1").arg(pictureNumber, ItemList::codeLength, 10, QLatin1Char('0'));
    line += QString(ItemList::formStart - ItemList::codeLength, QLatin1Char(' '));
    for (const QString& form : forms)
        line += form.leftJustified(ItemList::formWidth, QLatin1Char(' '));
    return forms.isEmpty() ? line.left(ItemList::codeLength) : line;
}

QByteArray encodeItemList(const QStringList& lines)
{
    QByteArray bytes("\xEF\xBB\xBF");
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    return bytes;
}
