// SPDX-License-Identifier: GPL-3.0-or-later
// The description of the matching shelf: pictograms, words and dots in the
// order the phrase gives them (levels 1, 2), and the declined sentence
// (levels 3, 4), including the worked examples of the game's rules.
#include "content/game_error.h"
#include "content/item_list.h"
#include "puzzle/description_pieces.h"
#include "puzzle/phrase_tables.h"

#include <QTest>

using Piece = DescriptionPiece;

namespace {

const std::array<std::int32_t, 5> firstFour{0, 1, 2, 3, 0};

// Items A, B, C, D on lines 0..3 with pictures 11, 22, 33, 44 and the
// forms Anom, Agen, Ains and so on.
QStringList letterLines()
{
    QStringList lines;
    for (int i = 0; i < 4; ++i) {
        const QString letter(QChar(u'A' + i));
        lines.append(formatItemLine(11 * (i + 1), {letter + "nom", letter + "gen", letter + "ins"}));
    }
    return lines;
}

Piece pic(int number) { return Piece::picture(number); }
Piece text(const char* words) { return Piece::words(QString::fromUtf8(words)); }
Piece separator() { return Piece::words(DescriptionText::connectorSeparator(), 1); }
Piece closingDot() { return Piece::words(DescriptionText::closingDot(), 1); }

void addPhrasesOf(std::initializer_list<int> levels)
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("phrase");
    for (const int level : levels)
        for (int phrase = 0; phrase < PhraseTables::phraseCount(level); ++phrase)
            QTest::addRow("level %d phrase %d", level + 1, phrase) << level << phrase;
}

}  // namespace

class TestDescriptionComposer : public QObject {
    Q_OBJECT
private slots:
    void separatorTexts()
    {
        QCOMPARE(DescriptionText::connectorSeparator(), QString::fromUtf16(u" \u0098  "));
        QCOMPARE(DescriptionText::closingDot(), QString::fromUtf16(u"\u0098"));
        QVERIFY(isPictureLevel(0) && isPictureLevel(1));
        QVERIFY(!isPictureLevel(2) && !isPictureLevel(3));
    }

    void pictureExamples_data()
    {
        QTest::addColumn<int>("phrase");
        QTest::addColumn<QList<Piece>>("pieces");
        // Spoken with the lines' forms, and with lines that carry none.
        QTest::addColumn<QString>("spoken");
        QTest::addColumn<QString>("spokenWithoutForms");
        // B, A, C from the pictures 22, 11, 33; A shown twice.
        QTest::newRow("level 1 phrase 0")
            << 0
            << QList<Piece>{pic(22), text(" leży pomiędzy "), pic(11), text(" i "), pic(33), text(", na prawo od "),
                            pic(11), closingDot()}
            << "Bnom leży pomiędzy ains i cins, na prawo od agen." << "Nr 22 leży pomiędzy nr 11 i nr 33, na prawo od nr 11.";
        // The full stop of ". " becomes the separator followed by a blank.
        QTest::newRow("level 1 phrase 4")
            << 4
            << QList<Piece>{text("Z brzegów leżą "), pic(11), text(" i "), pic(33), separator(), text(" "), pic(22),
                            text(" leży na prawo od "), pic(11), closingDot()}
            << "Z brzegów leżą anom i cnom. Bnom leży na prawo od agen."
            << "Z brzegów leżą nr 11 i nr 33. Nr 22 leży na prawo od nr 11.";
        // A full stop closing a longer connector.
        QTest::newRow("level 1 phrase 8")
            << 8
            << QList<Piece>{pic(11), text(" i "), pic(33), text(" nie leżą obok siebie"), separator(), text(" "),
                            pic(22), text(" leży na prawo od "), pic(11), closingDot()}
            << "Anom i cnom nie leżą obok siebie. Bnom leży na prawo od agen."
            << "Nr 11 i nr 33 nie leżą obok siebie. Nr 22 leży na prawo od nr 11.";
    }
    void pictureExamples()
    {
        QFETCH(int, phrase);
        QFETCH(QList<Piece>, pieces);
        QCOMPARE(pictureDescription(0, phrase, firstFour, letterLines()), pieces);
        const auto number = [](const QString& code) { return QStringLiteral("nr %1").arg(code.toInt()); };
        QTEST(spokenDescription(0, phrase, firstFour, letterLines(), number), "spoken");
        QStringList codesOnly;
        for (const QString& line : letterLines())
            codesOnly << line.left(5);
        QTEST(spokenDescription(0, phrase, firstFour, codesOnly, number), "spokenWithoutForms");
    }

    void wordExample()
    {
        QCOMPARE(wordDescription(2, 0, firstFour, letterLines()),
                 QStringLiteral("Anom leży obok bgen. Cnom leży pomiędzy bins i dins. Bnom leży na prawo od agen."));
    }

    // Every full stop of a connector is a separator; the description ends
    // with the closing dot and no full stop; every item token is a pictogram.
    void separatorsForEveryFullStop_data() { addPhrasesOf({0, 1}); }
    void separatorsForEveryFullStop()
    {
        QFETCH(int, level);
        QFETCH(int, phrase);
        const QString tokens = PhraseTables::tokens(level, phrase);
        int fullStops = 0;
        for (int k = 1; k < tokens.size(); ++k)
            fullStops += int(PhraseTables::connector(level, phrase, k).count(QLatin1Char('.')));
        int items = 0;
        for (const QChar t : tokens)
            items += t.digitValue() < 5 ? 1 : 0;

        const QList<Piece> pieces = pictureDescription(level, phrase, firstFour, letterLines());
        QCOMPARE(int(pieces.count(separator())), fullStops);
        QCOMPARE(int(std::count_if(pieces.begin(), pieces.end(), [](const Piece& p) { return p.kind == Piece::Picture; })), items);
        for (const Piece& p : pieces) {
            if (p.kind == Piece::Text && p.style == 0)
                QVERIFY2(!p.text.contains(QLatin1Char('.')), qPrintable(p.text));
        }
        QCOMPARE(pieces.last(), closingDot());
        QCOMPARE(int(pieces.count(closingDot())), 1);
        // Pictograms appear in token order.
        QList<int> shown, expected;
        for (const Piece& p : pieces)
            if (p.kind == Piece::Picture)
                shown.append(p.pictureNumber);
        for (const QChar t : tokens)
            if (t.digitValue() < 5)
                expected.append(11 * (t.digitValue() + 1));
        QCOMPARE(shown, expected);
    }

    void pictureCodeThatIsNoNumber()
    {
        QStringList lines = letterLines();
        lines[1] = QStringLiteral("00a22    Bnom");
        QVERIFY_THROWS_EXCEPTION(GameError, pictureDescription(0, 0, firstFour, lines));
    }

    void wordDescriptionsEndWithOneFullStop_data() { addPhrasesOf({2, 3}); }
    void wordDescriptionsEndWithOneFullStop()
    {
        QFETCH(int, level);
        QFETCH(int, phrase);
        const QString text = wordDescription(level, phrase, firstFour, letterLines());
        QVERIFY(text.endsWith(QLatin1Char('.')));
        QVERIFY(!text.endsWith(QStringLiteral("..")));
        QVERIFY(!text.endsWith(QStringLiteral(" .")));
        QVERIFY(text.at(0).isUpper());
        // Each sentence after a full stop starts with a capital.
        for (const QString& sentence : text.chopped(1).split(QStringLiteral(". ")))
            QVERIFY2(sentence.at(0).isUpper(), qPrintable(text));
    }

    void polishLettersAreLowered()
    {
        // Level 4 phrase 4: "B i C leżą w środku. B nie leży obok D. C leży na prawo od B."
        QStringList lines;
        lines << formatItemLine(1, {"Ananas", "Ananasa", "Ananasem"})
              << formatItemLine(2, {"ŚLIWKA", "ŚLIWKI", "ŚLIWKĄ"})
              << formatItemLine(3, {"Łódka", "Łódki", "Łódką"})
              << formatItemLine(4, {"Żołądź", "Żołędzia", "Żołędziem"});
        QCOMPARE(wordDescription(3, 4, firstFour, lines),
                 QStringLiteral("Śliwka i łódka leżą w środku. ŚLIWKA nie leży obok żołędzia. Łódka leży na prawo od śliwki."));
    }

    void leadingConnectorKeepsItsCapital()
    {
        QCOMPARE(wordDescription(3, 0, firstFour, letterLines()),
                 QStringLiteral("Z brzegów leżą anom i dnom, a pomiędzy nimi bnom i cnom. "
                                "Bnom leży na prawo od agen i nie leży obok dgen."));
    }
};

QTEST_MAIN(TestDescriptionComposer)
#include "test_description_composer.moc"
