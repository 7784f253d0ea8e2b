// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading the text files of a teacher's set folder (pictures.txt, F.txt,
// G.txt, H.txt, nazwa.txt) whatever editor saved them: UTF-8 (with or
// without a byte-order mark) and UTF-16 with its mark are read as they are;
// a file that is not UTF-8 but reads as Polish text in Windows-1250 (what
// Notepad on a Polish Windows calls ANSI) is read as such, with a warning;
// anything else is refused, naming the file, the line and how to save it as
// UTF-8. Text is never guessed into garbage.

#include <QByteArray>
#include <QString>

namespace SetText {

struct Decoded {
    QString text;
    QString warning;  // empty when the file was UTF-8 or UTF-16
};

// Decodes the bytes of the file `fileName` (the name shown in messages).
// Throws GameError "<fileName>, wiersz <n>: …" when the text is neither.
Decoded decode(const QByteArray& bytes, const QString& fileName);

// The offset of the first byte that breaks UTF-8 (an invalid, overlong or
// cut sequence, a surrogate), or -1 when all of `bytes` is UTF-8.
qsizetype firstNonUtf8(const QByteArray& bytes);

// True when `bytes` read in Windows-1250 give plain text: no byte the code
// page leaves undefined, no control character but tab and line breaks, and
// every non-ASCII character a letter or common punctuation (a Latin-2 file
// gives '±' for 'ą' and so does not pass).
bool readsAsWindows1250(const QByteArray& bytes);

}  // namespace SetText
