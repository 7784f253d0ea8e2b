// The phrase tables: every string as the game must print it. The tables are
// checked against the sentences they read as, against the grammar rules
// their form and flag strings follow, and for their shape.
#include "puzzle/phrase_tables.h"

#include <QTest>

using namespace PhraseTables;

namespace {

const int expectedCounts[] = {12, 6, 10, 8};

// The phrase read out with the matching shelf's items named A, B, C, D
// from the left, ending with the full stop the composer adds.
QString readOut(int level, int phrase)
{
    const QString tokenString = tokens(level, phrase);
    QString text;
    for (int p = 0; p < tokenString.size(); ++p) {
        const int slot = tokenString[p].digitValue();
        if (slot < 5)
            text += QChar(u'A' + slot);
        if (p < tokenString.size() - 1)
            text += connector(level, phrase, p + 1);
    }
    return text + QLatin1Char('.');
}

void addEveryPhrase()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("phrase");
    for (int level = 0; level < 4; ++level)
        for (int phrase = 0; phrase < expectedCounts[level]; ++phrase)
            QTest::addRow("level %d phrase %d", level + 1, phrase) << level << phrase;
}

}  // namespace

class TestPhraseTables : public QObject {
    Q_OBJECT
private slots:
    void phraseCounts()
    {
        for (int level = 0; level < 4; ++level)
            QCOMPARE(phraseCount(level), expectedCounts[level]);
        QCOMPARE(phraseCount(-1), 0);
        QCOMPARE(phraseCount(4), 0);
    }

    void lookupOutOfRangeIsEmpty()
    {
        QVERIFY(phraseString(0, 12, 1).isEmpty());
        QVERIFY(phraseString(1, -1, 1).isEmpty());
        QVERIFY(phraseString(2, 0, 0).isEmpty());
        QVERIFY(phraseString(2, 0, 13).isEmpty());
        QVERIFY(phraseString(4, 0, 1).isEmpty());
        QCOMPARE(phraseString(3, 7, 1), QStringLiteral("120221"));
        QCOMPARE(phraseString(3, 7, 12), QStringLiteral(" "));
    }

    void readsAsItsSentence_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("phrase");
        QTest::addColumn<QString>("sentence");
        QTest::newRow("level 1 phrase 0") << 0 << 0 << QStringLiteral("B leży pomiędzy A i C, na prawo od A.");
        QTest::newRow("level 1 phrase 1") << 0 << 1 << QStringLiteral("B leży pomiędzy C i A, na prawo od A.");
        QTest::newRow("level 1 phrase 2") << 0 << 2 << QStringLiteral("B leży pomiędzy C i A, na lewo od C.");
        QTest::newRow("level 1 phrase 3") << 0 << 3 << QStringLiteral("B leży pomiędzy A i C, na lewo od C.");
        QTest::newRow("level 1 phrase 4") << 0 << 4 << QStringLiteral("Z brzegów leżą A i C. B leży na prawo od A.");
        QTest::newRow("level 1 phrase 5") << 0 << 5 << QStringLiteral("Z brzegów leżą C i A. B leży na prawo od A.");
        QTest::newRow("level 1 phrase 6") << 0 << 6 << QStringLiteral("Z brzegów leżą A i C. B leży na lewo od C.");
        QTest::newRow("level 1 phrase 7") << 0 << 7 << QStringLiteral("Z brzegów leżą C i A. B leży na lewo od C.");
        QTest::newRow("level 1 phrase 8") << 0 << 8 << QStringLiteral("A i C nie leżą obok siebie. B leży na prawo od A.");
        QTest::newRow("level 1 phrase 9") << 0 << 9 << QStringLiteral("C i A nie leżą obok siebie. B leży na prawo od A.");
        QTest::newRow("level 1 phrase 10") << 0 << 10 << QStringLiteral("A i C nie leżą obok siebie. B leży na lewo od C.");
        QTest::newRow("level 1 phrase 11") << 0 << 11 << QStringLiteral("C i A nie leżą obok siebie. B leży na lewo od C.");
        QTest::newRow("level 2 phrase 0") << 1 << 0 << QStringLiteral("Z brzegów leżą A i D, a pomiędzy nimi B i C. C leży na lewo od D i na prawo od B.");
        QTest::newRow("level 2 phrase 1") << 1 << 1 << QStringLiteral("Z brzegów leżą A i D, a pomiędzy nimi B i C. B leży na prawo od A i na lewo od C.");
        QTest::newRow("level 2 phrase 2") << 1 << 2 << QStringLiteral("Z lewej strony leży A, z prawej D, a w środku B i C. B leży pomiędzy A i C, na prawo od A.");
        QTest::newRow("level 2 phrase 3") << 1 << 3 << QStringLiteral("Z lewej strony leży A, z prawej D, a w środku B i C. B leży pomiędzy A i C, na lewo od C.");
        QTest::newRow("level 2 phrase 4") << 1 << 4 << QStringLiteral("Z lewej strony leży A, z prawej D, a w środku B i C. C leży pomiędzy B i D, na prawo od B.");
        QTest::newRow("level 2 phrase 5") << 1 << 5 << QStringLiteral("Z lewej strony leży A, z prawej D, a w środku B i C. C leży pomiędzy B i D, na lewo od D.");
        QTest::newRow("level 3 phrase 0") << 2 << 0 << QStringLiteral("A leży obok B. C leży pomiędzy B i D. B leży na prawo od A.");
        QTest::newRow("level 3 phrase 1") << 2 << 1 << QStringLiteral("A leży obok B. C leży pomiędzy B i D. A leży na lewo od B.");
        QTest::newRow("level 3 phrase 2") << 2 << 2 << QStringLiteral("C leży obok D. B leży pomiędzy A i C. D leży na prawo od C.");
        QTest::newRow("level 3 phrase 3") << 2 << 3 << QStringLiteral("C leży obok D. B leży pomiędzy A i C. C leży na lewo od D.");
        QTest::newRow("level 3 phrase 4") << 2 << 4 << QStringLiteral("B leży pomiędzy A i C, a C leży pomiędzy B i D. A leży na lewo od B.");
        QTest::newRow("level 3 phrase 5") << 2 << 5 << QStringLiteral("B leży pomiędzy A i C, a C leży pomiędzy B i D. B leży na lewo od C.");
        QTest::newRow("level 3 phrase 6") << 2 << 6 << QStringLiteral("B leży pomiędzy A i C, a C leży pomiędzy B i D. C leży na lewo od D.");
        QTest::newRow("level 3 phrase 7") << 2 << 7 << QStringLiteral("B leży pomiędzy A i C, a C leży pomiędzy B i D. B leży na prawo od A.");
        QTest::newRow("level 3 phrase 8") << 2 << 8 << QStringLiteral("B leży pomiędzy A i C, a C leży pomiędzy B i D. C leży na prawo od B.");
        QTest::newRow("level 3 phrase 9") << 2 << 9 << QStringLiteral("B leży pomiędzy A i C, a C leży pomiędzy B i D. D leży na prawo od C.");
        QTest::newRow("level 4 phrase 0") << 3 << 0 << QStringLiteral("Z brzegów leżą A i D, a pomiędzy nimi B i C. B leży na prawo od A i nie leży obok D.");
        QTest::newRow("level 4 phrase 1") << 3 << 1 << QStringLiteral("Z brzegów leżą A i D, a pomiędzy nimi B i C. C leży na prawo od B i nie leży obok A.");
        QTest::newRow("level 4 phrase 2") << 3 << 2 << QStringLiteral("Z brzegów leżą A i D, a pomiędzy nimi B i C. B leży na lewo od C i nie leży obok D.");
        QTest::newRow("level 4 phrase 3") << 3 << 3 << QStringLiteral("Z brzegów leżą A i D, a pomiędzy nimi B i C. C leży na lewo od D i nie leży obok A.");
        QTest::newRow("level 4 phrase 4") << 3 << 4 << QStringLiteral("B i C leżą w środku. B nie leży obok D. C leży na prawo od B.");
        QTest::newRow("level 4 phrase 5") << 3 << 5 << QStringLiteral("B i C leżą w środku. C nie leży obok A. B leży na lewo od C.");
        QTest::newRow("level 4 phrase 6") << 3 << 6 << QStringLiteral("B i C leżą w środku. D nie leży obok B. B leży na lewo od C.");
        QTest::newRow("level 4 phrase 7") << 3 << 7 << QStringLiteral("B i C leżą w środku. A nie leży obok C. C leży na prawo od B.");
    }
    void readsAsItsSentence()
    {
        QFETCH(int, level);
        QFETCH(int, phrase);
        QFETCH(QString, sentence);
        QCOMPARE(readOut(level, phrase), sentence);
    }

    void shape_data() { addEveryPhrase(); }
    void shape()
    {
        QFETCH(int, level);
        QFETCH(int, phrase);
        const QString tokenString = tokens(level, phrase);
        QVERIFY(!tokenString.isEmpty());
        QVERIFY(tokenString.size() <= 9);
        QCOMPARE(forms(level, phrase).size(), tokenString.size());
        QCOMPARE(flags(level, phrase).size(), tokenString.size());
        // Connectors after the last used one are a single blank.
        for (int k = tokenString.size(); k <= 9; ++k)
            QCOMPARE(connector(level, phrase, k), QStringLiteral(" "));
        for (int k = 1; k < tokenString.size(); ++k)
            QVERIFY(connector(level, phrase, k).trimmed().size() > 0);
    }

    void slotsInRange_data() { addEveryPhrase(); }
    void slotsInRange()
    {
        QFETCH(int, level);
        QFETCH(int, phrase);
        const int items = level == 0 ? 3 : 4;
        for (const QChar token : tokens(level, phrase)) {
            const int value = token.digitValue();
            QVERIFY2(value == 5 || (value >= 0 && value < items), qPrintable(tokens(level, phrase)));
        }
    }

    // Form 1 after "obok" and "od", form 2 after "pomiędzy" and after the
    // " i " that follows it, form 0 otherwise (also on tokens naming nothing).
    void formsFollowTheGrammar_data() { addEveryPhrase(); }
    void formsFollowTheGrammar()
    {
        QFETCH(int, level);
        QFETCH(int, phrase);
        const QString tokenString = tokens(level, phrase);
        const QString formString = forms(level, phrase);
        for (int p = 0; p < tokenString.size(); ++p) {
            int expected = 0;
            if (p > 0 && tokenString[p].digitValue() < 5) {
                const QString before = connector(level, phrase, p);
                if (before.endsWith(QStringLiteral("obok ")) || before.endsWith(QStringLiteral(" od ")))
                    expected = 1;
                else if (before.endsWith(QStringLiteral("pomiędzy ")))
                    expected = 2;
                else if (before == QStringLiteral(" i ") && p > 1
                         && connector(level, phrase, p - 1).endsWith(QStringLiteral("pomiędzy ")))
                    expected = 2;
            }
            QVERIFY2(formString[p].digitValue() == expected,
                     qPrintable(QStringLiteral("token %1 of %2: form %3").arg(p).arg(tokenString).arg(formString[p])));
        }
    }

    // "1" on every name that begins a sentence after a full stop, and on
    // level 1 also on the first token.
    void flagsFollowTheSentences_data() { addEveryPhrase(); }
    void flagsFollowTheSentences()
    {
        QFETCH(int, level);
        QFETCH(int, phrase);
        const QString flagString = flags(level, phrase);
        for (int p = 0; p < flagString.size(); ++p) {
            const bool sentenceStart = p > 0 && connector(level, phrase, p).endsWith(QStringLiteral(". "));
            const bool expected = sentenceStart || (level == 0 && p == 0);
            QCOMPARE(flagString[p], expected ? QLatin1Char('1') : QLatin1Char('0'));
        }
    }
};

QTEST_MAIN(TestPhraseTables)
#include "test_phrase_tables.moc"
