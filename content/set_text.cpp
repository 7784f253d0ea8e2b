// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/set_text.h"

#include "content/game_error.h"
#include "content/windows1250.h"

#include <QByteArrayList>
#include <QStringDecoder>

namespace SetText {

namespace {

int lineOf(const QByteArray& bytes, qsizetype offset)
{
    // CR LF, lone CR and lone LF each end a line, as the parsers count them.
    int line = 1;
    for (qsizetype i = 0; i < offset && i < bytes.size(); ++i)
        if (bytes.at(i) == '\n' || (bytes.at(i) == '\r' && (i + 1 >= bytes.size() || bytes.at(i + 1) != '\n')))
            ++line;
    return line;
}

bool isCommonPunctuation(char16_t c)
{
    static constexpr char16_t marks[] = {
        0x00A0, 0x00A7, 0x00A9, 0x00AB, 0x00AD, 0x00B0, 0x00B7, 0x00BB, 0x00D7, 0x00F7, 0x2013, 0x2014,
        0x2018, 0x2019, 0x201A, 0x201C, 0x201D, 0x201E, 0x2022, 0x2026, 0x20AC, 0x2122};
    for (const char16_t mark : marks)
        if (c == mark)
            return true;
    return false;
}

// True when some line of `bytes` is UTF-8 Polish text: valid UTF-8 with
// letters beyond ASCII, every one of them Latin. A Windows-1250 line
// seldom passes for UTF-8, and then gives letters of other scripts
// ("PÓŁKA" reads "PӣKA"), so such a line is the editor's own UTF-8.
bool hasUtf8TextLine(const QByteArray& bytes)
{
    for (const QByteArray& line : bytes.split('\n')) {
        if (firstNonUtf8(line) >= 0)
            continue;
        bool beyondAscii = false;
        bool latin = true;
        for (const QChar c : QString::fromUtf8(line)) {
            if (c.unicode() < 0x80)
                continue;
            beyondAscii = true;
            if (c.script() != QChar::Script_Latin && !isCommonPunctuation(c.unicode()))
                latin = false;
        }
        if (beyondAscii && latin)
            return true;
    }
    return false;
}

}  // namespace

qsizetype firstNonUtf8(const QByteArray& bytes)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    while (i < size) {
        const unsigned char lead = data[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        int length = 0;
        char32_t point = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            point = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            point = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            point = lead & 0x07;
        } else {
            return i;
        }
        if (i + length > size)
            return i;
        for (int k = 1; k < length; ++k) {
            if ((data[i + k] & 0xC0) != 0x80)
                return i;
            point = (point << 6) | (data[i + k] & 0x3F);
        }
        const char32_t least = length == 3 ? 0x800 : length == 4 ? 0x10000 : 0x80;
        if (point < least || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF))
            return i;
        i += length;
    }
    return -1;
}

bool readsAsWindows1250(const QByteArray& bytes)
{
    for (const char byte : bytes) {
        const auto value = quint8(byte);
        if (value < 0x20 && value != '\t' && value != '\n' && value != '\r')
            return false;
        if (value == 0x7F)
            return false;
    }
    for (const QChar c : Windows1250::decode(bytes)) {
        if (c.unicode() < 0x80)
            continue;
        if (c.category() == QChar::Other_Control)  // the five bytes the code page leaves undefined
            return false;
        if (!c.isLetter() && !isCommonPunctuation(c.unicode()))
            return false;
    }
    return true;
}

Decoded decode(const QByteArray& bytes, const QString& fileName)
{
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        const QByteArray rest = bytes.mid(3);
        const qsizetype bad = firstNonUtf8(rest);
        if (bad < 0)
            return {QString::fromUtf8(rest), {}};
        // A byte-order mark says UTF-8; the text then is not guessed at.
        throw GameError(QStringLiteral("%1, wiersz %2: plik jest uszkodzony: zaczyna się jak tekst UTF-8, ale ma "
                                       "w tym wierszu bajty, które nie są tekstem UTF-8. Otwórz go w Notatniku, "
                                       "popraw ten wiersz i wybierz „Zapisz jako…”, Kodowanie: UTF-8.")
                            .arg(fileName)
                            .arg(lineOf(rest, bad)));
    }
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        // Notepad's "Unicode": UTF-16 with its mark.
        QStringDecoder decoder(bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
                               QStringConverter::Flag::Stateless);
        const QString text = decoder.decode(bytes.mid(2));
        // A lone surrogate is no text either (and no line break is found past it).
        if (!decoder.hasError() && QStringView(text).isValidUtf16())
            return {text, {}};
    }
    const qsizetype bad = firstNonUtf8(bytes);
    if (bad < 0)
        return {QString::fromUtf8(bytes), {}};
    // A UTF-8 file with one line from elsewhere (pasted in another
    // encoding, or a stray byte) read whole as Windows-1250 would turn
    // every Polish letter of its other lines into garbage.
    if (hasUtf8TextLine(bytes))
        throw GameError(QStringLiteral("%1, wiersz %2: plik jest zapisany jako UTF-8, ale ten wiersz nie jest tekstem "
                                       "UTF-8 (wklejony z pliku w innym kodowaniu albo z przypadkowym bajtem). Popraw "
                                       "polskie litery w tym wierszu i zapisz plik jako UTF-8 (w Notatniku: „Zapisz "
                                       "jako…”, Kodowanie: UTF-8).")
                            .arg(fileName)
                            .arg(lineOf(bytes, bad)));
    if (readsAsWindows1250(bytes))
        return {Windows1250::decode(bytes),
                QStringLiteral("%1 jest zapisany w kodowaniu Windows-1250; odczytano go jako Windows-1250. Zapisz go "
                               "jako UTF-8 (w Notatniku: „Zapisz jako…”, Kodowanie: UTF-8, zamiast ANSI), aby każdy "
                               "program odczytał go tak samo.")
                    .arg(fileName)};
    throw GameError(QStringLiteral("%1, wiersz %2: tego pliku nie da się odczytać: nie jest zapisany jako tekst UTF-8 "
                                   "ani Windows-1250. Otwórz go w Notatniku, sprawdź polskie litery w tym wierszu "
                                   "i wybierz „Zapisz jako…”, Kodowanie: UTF-8.")
                        .arg(fileName)
                        .arg(lineOf(bytes, bad)));
}

}  // namespace SetText
