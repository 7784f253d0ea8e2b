// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/content_check.h"

#include "content/game_error.h"
#include "content/item_list.h"
#include "content/picture_archive.h"
#include "content/plural_word.h"
#include "content/set_text.h"
#include "content/wav_writer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace ContentCheck {

namespace {
constexpr int minimumItems = 4;
}

QStringList contentFiles()
{
    return {QStringLiteral("A.wv"), QStringLiteral("B.wv"), QStringLiteral("C.wv"), QStringLiteral("D.bb"),
            QStringLiteral("E.bt"), QStringLiteral("F.tx"), QStringLiteral("G.tx"), QStringLiteral("H.tx")};
}

QStringList optionalFiles()
{
    return {PluralWord::fileName};
}

QStringList checkList(const QString& fileName, const QStringList& lines, const QList<int>& pictures, bool withForms,
                      const QList<int>& lineNumbers)
{
    QStringList faults;
    const QSet<int> known(pictures.begin(), pictures.end());
    QSet<QString> codes;
    const int count = itemLineCount(lines);
    for (int i = 0; i < count; ++i) {
        const QString& line = lines.at(i);
        const QString where = QStringLiteral("%1, wiersz %2").arg(fileName).arg(lineNumbers.value(i, i + 1));
        if (line.size() < ItemList::codeLength) {
            faults << QStringLiteral("%1: brak pięcioznakowego kodu obrazka").arg(where);
            continue;
        }
        const QString code = line.left(ItemList::codeLength);
        try {
            const int number = pictureNumberOf(code);
            if (!known.contains(number))
                faults << QStringLiteral("%1: nie ma obrazka o numerze %2").arg(where, code);
        } catch (const GameError& error) {
            faults << QStringLiteral("%1: %2").arg(where, error.message());
        }
        if (codes.contains(code))
            faults << QStringLiteral("%1: kod obrazka %2 powtarza się na liście").arg(where, code);
        codes.insert(code);
        if (!withForms)
            continue;
        static const char* const formNames[] = {"mianownik", "dopełniacz", "narzędnik"};
        for (int f = 0; f < ItemList::formCount; ++f) {
            const QString form = nameForm(line, f);
            QString field = line.mid(ItemList::formStart + ItemList::formWidth * f, ItemList::formWidth);
            while (field.endsWith(QLatin1Char(' ')))
                field.chop(1);
            const QString kind = QString::fromUtf8(formNames[f]);
            if (form.isEmpty())
                faults << QStringLiteral("%1: brak formy %2 (%3) albo jest dłuższa niż 29 znaków")
                              .arg(where).arg(f).arg(kind);
            else if (field != form)
                faults << QStringLiteral("%1: forma %2 (%3) „%4” nie jest jednym słowem")
                              .arg(where).arg(f).arg(kind, field);
        }
    }
    if (count < minimumItems)
        faults << QStringLiteral("%1: za mało przedmiotów (%2, potrzeba co najmniej %3)")
                      .arg(fileName)
                      .arg(count)
                      .arg(minimumItems);
    return faults;
}

QStringList checkDirectory(const QString& directory)
{
    QStringList faults;
    const QDir dir(directory);
    if (!dir.exists())
        return {QStringLiteral("Brak katalogu %1").arg(QDir::toNativeSeparators(directory))};
    const QString base = dir.absolutePath() + QLatin1Char('/');

    for (const QString& file : contentFiles())
        if (!QFileInfo(base + file).isFile())
            faults << QStringLiteral("Brak pliku %1").arg(file);

    for (const QString& cue : {QStringLiteral("A.wv"), QStringLiteral("B.wv"), QStringLiteral("C.wv")}) {
        QFile file(base + cue);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const Wav::Info info = Wav::inspect(file.readAll());
        if (!info.valid)
            faults << QStringLiteral("%1: %2").arg(cue, info.problem);
    }

    QList<int> pictures;
    const QFileInfo index(base + QStringLiteral("E.bt"));
    if (index.isFile() && QFileInfo(base + QStringLiteral("D.bb")).isFile()) {
        if (index.size() % PictureArchive::indexRecordSize != 0)
            faults << QStringLiteral("E.bt: plik nie kończy się na granicy rekordu (%1 bajtów)").arg(index.size());
        const qint64 count = index.size() / PictureArchive::indexRecordSize;
        if (count == 0)
            faults << QStringLiteral("E.bt: zestaw nie ma żadnego obrazka");
        for (qint32 number = 0; number < count; ++number) {
            try {
                QString name;
                LoadArchivePicture(base, number, name);
                pictures.append(number);
            } catch (const GameError& error) {
                faults << QStringLiteral("Obraz nr %1: %2").arg(number).arg(error.message());
            }
        }
    }

    for (const QString& list : {QStringLiteral("F.tx"), QStringLiteral("G.tx"), QStringLiteral("H.tx")}) {
        if (!QFileInfo(base + list).isFile())
            continue;
        try {
            faults << checkList(list, loadItemList(base + list), pictures, list != QLatin1String("F.tx"));
        } catch (const GameError& error) {
            faults << error.message();
        }
    }

    QFile word(base + PluralWord::fileName);
    if (word.exists()) {
        try {
            if (word.size() > 4096 || !word.open(QIODevice::ReadOnly))
                throw GameError(QStringLiteral("%1: nie można odczytać pliku").arg(PluralWord::fileName));
            const QByteArray bytes = word.readAll();
            if (SetText::firstNonUtf8(bytes) >= 0)
                throw GameError(QStringLiteral("%1: plik nie jest zapisany jako UTF-8").arg(PluralWord::fileName));
            PluralWord::parse(QString::fromUtf8(bytes));
        } catch (const GameError& error) {
            faults << error.message();
        }
    }
    return faults;
}

}  // namespace ContentCheck
