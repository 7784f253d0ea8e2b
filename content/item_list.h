// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Item lists F.tx, G.tx, H.tx: one item per line. Characters 1-5 are the
// picture code (five decimal digits), 6-9 are not read, and name form f
// (0 nominative, 1 genitive, 2 instrumental) is one word in the 30
// characters from character 10 + 30 f, followed by blanks.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace ItemList {
inline constexpr int codeLength = 5;
inline constexpr int formStart = 9;    // 0-based index of the first form field
inline constexpr int formWidth = 30;
inline constexpr int formCount = 3;
// Lists are a few kilobytes; anything past this is not an item list and is
// refused rather than read whole.
inline constexpr qint64 maxFileSize = 4 * 1024 * 1024;
}

// Reads the list file at `path` whole and decodes it (decodeItemList).
// Throws GameError "Nie można otworzyć pliku "<path>". <reason>" when the
// file cannot be opened.
QStringList loadItemList(const QString& path);

// The lines of a list file's bytes: UTF-8, UTF-16 LE or UTF-16 BE by their
// byte-order mark, else Windows-1250; cut at CR LF, lone CR and lone LF;
// a NUL ends the text. A break at the very end adds no empty line.
QStringList decodeItemList(const QByteArray& bytes);

// Name form `form` of a list line: of the line with one blank appended, the
// 30 characters from character 10 + 30 form, up to the first blank. A form
// of 30 characters, a field starting with a blank or beyond the line read
// as empty.
QString nameForm(const QString& line, int form);

// The picture number of a five-character picture code: its decimal value.
// Only digits with an optional leading sign are a number; anything else
// throws GameError "'<code>' nie jest poprawną wartością liczbową".
int pictureNumberOf(const QString& code);

// Refuses a list a level cannot be dealt from: fewer item lines than
// `itemsPerShelf` (empty lines at the very end do not count and are
// harmless), or an item line shorter than its five-character picture code.
// Throws GameError naming `path` and the line.
void checkItemListForLevel(const QStringList& lines, int itemsPerShelf, const QString& path);

// Item lines of a list: all lines but the empty ones at the very end.
int itemLineCount(const QStringList& lines);

// One list line laid out for writing: the code of `pictureNumber` in five
// zero-padded digits, four blanks, then each form padded to 30 characters
// (the last one too, so every field ends with blanks).
QString formatItemLine(int pictureNumber, const QStringList& forms);
// The bytes of a list file as we ship it: UTF-8 with its byte-order mark,
// every line ended by CR LF.
QByteArray encodeItemList(const QStringList& lines);
