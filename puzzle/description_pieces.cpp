// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle/description_pieces.h"

#include "content/item_list.h"
#include "puzzle/phrase_tables.h"

#include <QRegularExpression>

namespace DescriptionText {
QString connectorSeparator()
{
    return QStringLiteral(" ") + QChar(Dot) + QStringLiteral("  ");
}
QString closingDot()
{
    return QString(QChar(Dot));
}
}  // namespace DescriptionText

namespace {

// The item a token names: its slot 0..4, or -1 for a token that names none
// (every digit from 5 up).
int slotOfToken(QChar token)
{
    const int value = token.digitValue();
    return value >= 0 && value < 5 ? value : -1;
}

QString lineOfSlot(int slot, const std::array<std::int32_t, 5>& element, const QStringList& lines)
{
    const int line = element[size_t(slot)];
    return line >= 0 && line < lines.size() ? lines[line] : QString();
}

// A connector with its full stops turned into dot separators.
void appendConnector(QList<DescriptionPiece>& pieces, const QString& connector)
{
    QString run;
    for (const QChar c : connector) {
        if (c == QLatin1Char('.')) {
            if (!run.isEmpty())
                pieces.append(DescriptionPiece::words(run));
            run.clear();
            pieces.append(DescriptionPiece::words(DescriptionText::connectorSeparator(), 1));
        } else {
            run += c;
        }
    }
    if (!run.isEmpty())
        pieces.append(DescriptionPiece::words(run));
}

}  // namespace

bool isPictureLevel(int level)
{
    return level == 0 || level == 1;
}

QList<DescriptionPiece> pictureDescription(int level, int phrase,
                                           const std::array<std::int32_t, 5>& element,
                                           const QStringList& lines)
{
    const QString tokens = PhraseTables::tokens(level, phrase);
    QList<DescriptionPiece> pieces;
    for (int p = 0; p < tokens.size(); ++p) {
        const int slot = slotOfToken(tokens[p]);
        const bool last = p == tokens.size() - 1;
        if (slot >= 0) {
            const QString code = lineOfSlot(slot, element, lines).left(5);
            pieces.append(DescriptionPiece::picture(pictureNumberOf(code)));
        }
        if (!last)
            appendConnector(pieces, PhraseTables::connector(level, phrase, p + 1));
        else if (slot >= 0)
            pieces.append(DescriptionPiece::words(DescriptionText::closingDot(), 1));
    }
    return pieces;
}

namespace {

// The words of a description: every token's name in its form, with the
// connectors between; `fallback` names an item whose line has no forms.
QString composeWords(int level, int phrase, const std::array<std::int32_t, 5>& element, const QStringList& lines,
                     const std::function<QString(const QString&)>& fallback)
{
    const QString tokens = PhraseTables::tokens(level, phrase);
    const QString forms = PhraseTables::forms(level, phrase);
    const QString flags = PhraseTables::flags(level, phrase);
    QString text;
    for (int p = 0; p < tokens.size(); ++p) {
        const int slot = slotOfToken(tokens[p]);
        QString name;
        if (slot >= 0) {
            const int form = p < forms.size() ? qMax(0, forms[p].digitValue()) : 0;
            const QString line = lineOfSlot(slot, element, lines);
            name = nameForm(line, form);
            if (name.isEmpty() && fallback)
                name = fallback(line.left(5));
            if (p < flags.size() && flags[p] == QLatin1Char('0'))
                name = name.toLower();
        }
        text += name;
        if (p < tokens.size() - 1)
            text += PhraseTables::connector(level, phrase, p + 1);
    }
    // The first letter is a capital whatever the flag of the first token said.
    if (!text.isEmpty())
        text.replace(0, 1, text.left(1).toUpper());
    return text + QLatin1Char('.');
}

}  // namespace

QString wordDescription(int level, int phrase,
                        const std::array<std::int32_t, 5>& element,
                        const QStringList& lines)
{
    return composeWords(level, phrase, element, lines, {});
}

QStringList longestWordDescriptions(int level, const QStringList& lines)
{
    QStringList texts;
    const int itemLines = itemLineCount(lines);
    if (itemLines == 0)
        return texts;
    for (int phrase = 0; phrase < PhraseTables::phraseCount(level); ++phrase) {
        // One slot per token, each filled with the line of the longest name
        // in that token's form; the composer then names them as in a deal.
        const QString tokens = PhraseTables::tokens(level, phrase);
        const QString forms = PhraseTables::forms(level, phrase);
        QStringList slotLines;
        std::array<std::int32_t, 5> element{};
        for (int p = 0; p < tokens.size(); ++p) {
            const int slot = slotOfToken(tokens[p]);
            if (slot < 0)
                continue;
            const int form = p < forms.size() ? qMax(0, forms[p].digitValue()) : 0;
            int longest = 0;
            for (int line = 1; line < itemLines; ++line)
                if (nameForm(lines[line], form).size() > nameForm(lines[longest], form).size())
                    longest = line;
            // A slot named by two tokens in different forms takes the later.
            element[size_t(slot)] = std::int32_t(slotLines.size());
            slotLines << lines[longest];
        }
        texts << composeWords(level, phrase, element, slotLines, {});
    }
    return texts;
}

QString spokenDescription(int level, int phrase,
                          const std::array<std::int32_t, 5>& element,
                          const QStringList& lines,
                          const std::function<QString(const QString& pictureCode)>& nameOf)
{
    QString text = composeWords(level, phrase, element, lines, nameOf);
    // A connector's full stop ends a sentence: the next one begins with a capital.
    static const QRegularExpression sentenceStart(QStringLiteral("([.!?]\\s+)(\\p{Ll})"));
    for (auto match = sentenceStart.match(text); match.hasMatch(); match = sentenceStart.match(text, match.capturedEnd()))
        text.replace(match.capturedStart(2), 1, match.captured(2).toUpper());
    static const QRegularExpression blanksBeforeStop(QStringLiteral("\\s+\\."));
    return text.replace(blanksBeforeStop, QStringLiteral(".")).simplified();
}
