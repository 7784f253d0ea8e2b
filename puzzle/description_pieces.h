// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The description of the matching shelf, composed from its phrase.
// Levels 1 and 2 (indices 0, 1) show pictures: a sequence of pieces, each
// a pictogram or a run of text in style 0 (words) or style 1 (the dots that
// stand for full stops). Levels 3 and 4 show words: one finished text with
// every item named in the form the phrase asks for.

#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>

struct DescriptionPiece {
    enum Kind { Picture, Text };
    Kind kind = Text;
    int pictureNumber = 0;   // Picture: the item's picture in the archive
    QString text;            // Text: inserted as it stands
    int style = 0;           // Text: 0 words, 1 dot separators

    static DescriptionPiece picture(int number) { return {Picture, number, {}, 0}; }
    static DescriptionPiece words(const QString& text, int style = 0) { return {Text, 0, text, style}; }
    bool operator==(const DescriptionPiece&) const = default;
};

namespace DescriptionText {
// The style-1 character the dot font shows as a small dot.
constexpr char16_t Dot = 0x0098;
// Written for every full stop of a connector: blank, dot, blank, blank.
QString connectorSeparator();
// Written after the last pictogram.
QString closingDot();
}  // namespace DescriptionText

// True on the levels whose descriptions are written with pictures.
bool isPictureLevel(int level);

// `element[k]` is the list line of the item in slot k of the matching shelf;
// `lines` are the lines of the loaded item list. A line whose picture code
// is not a number throws GameError.
QList<DescriptionPiece> pictureDescription(int level, int phrase,
                                           const std::array<std::int32_t, 5>& element,
                                           const QStringList& lines);

QString wordDescription(int level, int phrase,
                        const std::array<std::int32_t, 5>& element,
                        const QStringList& lines);

// For every phrase of a word level, its description with each item named
// by the longest name of `lines` in the form the phrase asks for: no deal
// from the list gives a longer text of that phrase. Items may repeat.
QStringList longestWordDescriptions(int level, const QStringList& lines);

// The description as a screen reader speaks it, on every level: each item
// named in the form its sentence needs, full stops as full stops, each
// sentence begun with a capital letter. A line that carries no name forms
// (a picture list may leave them out) is named by `nameOf(pictureCode)`.
QString spokenDescription(int level, int phrase,
                          const std::array<std::int32_t, 5>& element,
                          const QStringList& lines,
                          const std::function<QString(const QString& pictureCode)>& nameOf);
