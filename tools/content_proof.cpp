// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/content_proof.h"

#include "content/archive_writer.h"
#include "content/content_build.h"
#include "content/content_check.h"
#include "content/game_error.h"
#include "content/io_error.h"
#include "content/item_list.h"
#include "content/picture_archive.h"
#include "content/set_folder.h"
#include "puzzle/description_pieces.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cerrno>

namespace ContentProof {

namespace {

// The sizes the game draws a picture at: level 1 shelves, the other
// shelves, pictograms in a description.
constexpr int tileSides[] = {80, 48, 32};

struct ListUse {
    const char* file;
    const char* levels;
    bool words;
};
// Which list each level loads: levels 1 and 2 the pictures of F.tx, level 3
// G.tx, level 4 H.tx.
constexpr ListUse listUses[] = {
    {"F.tx", "1 i 2", false}, {"G.tx", "3", true}, {"H.tx", "4", true}};

QString escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

QString imageTag(const QImage& picture, int side)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).save(&buffer, "PNG");
    return QStringLiteral("<img src=\"data:image/png;base64,%1\" width=\"%2\" height=\"%2\" alt=\"\">")
        .arg(QString::fromLatin1(png.toBase64()))
        .arg(side);
}

// The sentence of a description that names the line under proof, with its
// forms in bold so that a wrong case stands out.
QString marked(const QString& sentence, const QString& line)
{
    QString html = escaped(sentence);
    for (int form = 0; form < ItemList::formCount; ++form) {
        const QString name = nameForm(line, form);
        if (name.isEmpty())
            continue;
        const QRegularExpression word(QStringLiteral("(?<!\\w)(%1)(?!\\w)").arg(QRegularExpression::escape(escaped(name))),
                                      QRegularExpression::CaseInsensitiveOption |
                                          QRegularExpression::UseUnicodePropertiesOption);
        html.replace(word, QStringLiteral("<b>\\1</b>"));
    }
    return html;
}

// The sentences pupils read about line `i` and its neighbours in the list,
// made by the game's own description composer: "Z brzegów leżą …" with the
// nominative, "… leży obok …" with the genitive, "… leży pomiędzy … i …"
// with the instrumental, and the line's name beginning a sentence.
QStringList framesOf(const QStringList& lines, int i)
{
    const int n = itemLineCount(lines);
    if (n < 4)
        return {};
    const auto next = [&](int k) { return std::int32_t((i + k) % n); };
    const std::int32_t x = i, y = next(1), z = next(2), w = next(3);
    // Level 4, phrase 0: "Z brzegów leżą A i D, a pomiędzy nimi B i C. …"
    const QString edges = wordDescription(3, 0, {x, z, w, y, 0}, lines);
    // Level 3, phrase 0: "A leży obok B. C leży pomiędzy B i D. B leży na prawo od A."
    const QStringList middle =
        wordDescription(2, 0, {y, x, z, w, 0}, lines).split(QStringLiteral(". "), Qt::SkipEmptyParts);
    QStringList frames{edges.section(QStringLiteral(". "), 0, 0) + QLatin1Char('.')};
    for (const QString& sentence : middle)
        frames << (sentence.endsWith(QLatin1Char('.')) ? sentence : sentence + QLatin1Char('.'));
    return frames;
}

QString warningsSection(const QStringList& warnings)
{
    if (warnings.isEmpty())
        return {};
    QString html = QStringLiteral("<div class=\"warn\"><p>Uwagi (zestaw działa, ale warto to poprawić):</p><ul>\n");
    for (const QString& warning : warnings)
        html += QStringLiteral("<li>%1</li>\n").arg(escaped(warning));
    return html + QStringLiteral("</ul></div>\n");
}

QString faultsSection(const QStringList& faults)
{
    if (faults.isEmpty())
        return QStringLiteral("<p class=\"ok\">Sprawdzenie zestawu: bez błędów. Zestaw można zainstalować w grze.</p>\n");
    QString html = QStringLiteral("<div class=\"bad\"><p>Sprawdzenie zestawu: znaleziono błędy (%1). "
                                  "Tego zestawu gra nie przyjmie, dopóki ich nie poprawisz:</p><ul>\n")
                       .arg(faults.size());
    for (const QString& fault : faults)
        html += QStringLiteral("<li>%1</li>\n").arg(escaped(fault));
    return html + QStringLiteral("</ul></div>\n");
}

}  // namespace

QString page(const QString& contentDir, const QString& title, const QStringList& faults, const QStringList& warnings)
{
    const QString dir = QDir(contentDir).absolutePath() + QLatin1Char('/');
    std::array<QStringList, 3> lists;
    for (size_t l = 0; l < lists.size(); ++l) {
        try {
            lists[l] = loadItemList(dir + QString::fromLatin1(listUses[l].file));
        } catch (const GameError&) {
            // The check already names the list that cannot be read.
        }
    }
    // Forms and levels of every picture code, from the lists that use it.
    QHash<QString, QStringList> formsOf, levelsOf;
    for (size_t l = 0; l < lists.size(); ++l)
        for (int i = 0; i < itemLineCount(lists[l]); ++i) {
            const QString code = lists[l].at(i).left(ItemList::codeLength);
            levelsOf[code] << QString::fromLatin1(listUses[l].levels);
            if (listUses[l].words)
                formsOf[code] << QStringLiteral("%1, %2, %3")
                                     .arg(nameForm(lists[l].at(i), 0), nameForm(lists[l].at(i), 1),
                                          nameForm(lists[l].at(i), 2));
        }

    QString html = QStringLiteral(
        "<!DOCTYPE html>\n<html lang=\"pl\"><head><meta charset=\"utf-8\">\n<title>Zestaw %1 – arkusz do sprawdzenia</title>\n"
        "<style>body{font-family:Verdana,sans-serif;margin:2em;color:#222}table{border-collapse:collapse;margin-bottom:2em}"
        "td,th{border:1px solid #bbb;padding:4px 8px;text-align:left;vertical-align:middle}th{background:#f3ead6}"
        ".ok{color:#185c18;font-weight:bold}.bad{color:#8b1010}.warn{color:#7a4a00}.frames p{margin:2px 0}img{display:inline-block}"
        "h2{page-break-before:auto}@media print{tr{page-break-inside:avoid}}</style></head><body>\n"
        "<h1>Zestaw %1 – arkusz do sprawdzenia</h1>\n")
                       .arg(escaped(title));
    html += faultsSection(faults);
    html += warningsSection(warnings);

    html += QStringLiteral("<h2>Obrazki</h2>\n<p>Każdy obrazek w trzech wielkościach, w jakich pokazuje go gra: "
                           "80 pikseli na półkach poziomu 1, 48 pikseli na półkach poziomów 2–4, 32 piksele w opisie.</p>\n"
                           "<table><tr><th>Kod</th><th>80 px</th><th>48 px</th><th>32 px</th><th>Nazwa</th>"
                           "<th>Formy (mianownik, dopełniacz, narzędnik)</th><th>Poziomy</th></tr>\n");
    const qint64 count = QFileInfo(dir + QStringLiteral("E.bt")).size() / PictureArchive::indexRecordSize;
    QHash<QString, QImage> pictures;
    for (qint32 number = 0; number < count; ++number) {
        const QString code = QStringLiteral("%1").arg(number, ItemList::codeLength, 10, QLatin1Char('0'));
        html += QStringLiteral("<tr><td>%1</td>").arg(code);
        try {
            QString name;
            const QImage picture = LoadArchivePicture(dir, number, name);
            pictures.insert(code, picture);
            for (const int side : tileSides)
                html += QStringLiteral("<td>%1</td>").arg(imageTag(picture, side));
            html += QStringLiteral("<td>%1</td>").arg(escaped(name));
        } catch (const GameError& error) {
            html += QStringLiteral("<td colspan=\"4\" class=\"bad\">%1</td>").arg(escaped(error.message()));
        }
        const QStringList levels = levelsOf.value(code);
        html += QStringLiteral("<td>%1</td><td>%2</td></tr>\n")
                    .arg(escaped(formsOf.value(code).join(QStringLiteral("; "))),
                         levels.isEmpty() ? QStringLiteral("nieużywany") : escaped(levels.join(QStringLiteral("; "))));
    }
    html += QStringLiteral("</table>\n");

    for (size_t l = 0; l < lists.size(); ++l) {
        const ListUse& use = listUses[l];
        const QStringList& lines = lists[l];
        html += QStringLiteral("<h2>Lista %1 – %2 %3</h2>\n")
                    .arg(QString::fromLatin1(use.file), use.words ? QStringLiteral("poziom") : QStringLiteral("poziomy"),
                         QString::fromLatin1(use.levels));
        if (!use.words) {
            html += QStringLiteral("<p>Na poziomach %1 opis jest złożony z obrazków; formy nazw nie są używane.</p>\n"
                                   "<table><tr><th>Wiersz</th><th>Obrazek</th><th>Kod</th><th>Poziomy</th></tr>\n")
                        .arg(QString::fromLatin1(use.levels));
        } else {
            html += QStringLiteral("<p>Na poziomie %1 opis jest napisany słowami. Przy każdym wierszu są zdania, które "
                                   "gra może z niego ułożyć (z sąsiednimi wierszami listy); przeczytaj je na głos – "
                                   "złą formę od razu słychać.</p>\n"
                                   "<table><tr><th>Wiersz</th><th>Obrazek</th><th>Kod</th><th>Mianownik</th>"
                                   "<th>Dopełniacz</th><th>Narzędnik</th><th>Zdania</th><th>Poziom</th></tr>\n")
                        .arg(QString::fromLatin1(use.levels));
        }
        for (int i = 0; i < itemLineCount(lines); ++i) {
            const QString code = lines.at(i).left(ItemList::codeLength);
            const QImage picture = pictures.value(code);
            html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td>")
                        .arg(i + 1)
                        .arg(picture.isNull() ? QStringLiteral("–") : imageTag(picture, 32), escaped(code));
            if (use.words) {
                for (int form = 0; form < ItemList::formCount; ++form)
                    html += QStringLiteral("<td>%1</td>").arg(escaped(nameForm(lines.at(i), form)));
                html += QStringLiteral("<td class=\"frames\">");
                for (const QString& frame : framesOf(lines, i))
                    html += QStringLiteral("<p>%1</p>").arg(marked(frame, lines.at(i)));
                html += QStringLiteral("</td>");
            }
            html += QStringLiteral("<td>%1</td></tr>\n").arg(QString::fromLatin1(use.levels));
        }
        html += QStringLiteral("</table>\n");
    }
    return html + QStringLiteral("</body></html>\n");
}

QStringList write(const QString& source, const QString& htmlPath, QStringList* warnings, const QString& title)
{
    QTemporaryDir scratch;
    QString contentDir = source;
    QStringList faults, found;
    if (SetFolder::isSetFolder(source)) {
        if (!scratch.isValid())
            throw GameError(QStringLiteral("Nie można utworzyć katalogu roboczego: %1.").arg(IoError::systemReason(errno)));
        const SetFolder::Contents contents = SetFolder::readAll(source);
        ContentBuild::writeContents(contents, scratch.path());
        contentDir = scratch.path();
        faults = contents.faults;
        found = contents.warnings;
        // The folder's faults name the teacher's files; the built copy's
        // check is the last word only when the folder has none.
        if (faults.isEmpty())
            faults = ContentCheck::checkDirectory(contentDir);
    } else if (QFileInfo(QDir(source).filePath(QStringLiteral("E.bt"))).isFile()) {
        faults = ContentCheck::checkDirectory(contentDir);
    } else {
        throw GameError(QStringLiteral("%1 nie jest ani folderem zestawu (brak pictures.txt), ani zbudowanym "
                                       "zestawem (brak E.bt)")
                            .arg(QDir::toNativeSeparators(source)));
    }
    const QString shownTitle = title.isEmpty() ? QDir(QDir::cleanPath(QDir(source).absolutePath())).dirName() : title;
    ArchiveWriter::writeFile(htmlPath, page(contentDir, shownTitle, faults, found).toUtf8());
    if (warnings)
        *warnings = found;
    return faults;
}

}  // namespace ContentProof
