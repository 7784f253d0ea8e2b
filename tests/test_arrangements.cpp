// SPDX-License-Identifier: GPL-3.0-or-later
// The arrangement pool: every order of a shelf's items but the identity, in
// the fixed order of the exchange enumeration, so that a deal replayed from
// the same random numbers gives the same shelves.
#include "puzzle/arrangements.h"
#include "support/test_units.h"

#include <QSet>
#include <QTest>

namespace {

// "132" -> U+0001 U+0003 U+0002
QString fromDigits(const QString& digits)
{
    QString arrangement;
    for (const QChar c : digits)
        arrangement += QChar(char16_t(c.digitValue()));
    return arrangement;
}

}  // namespace

class TestArrangements : public QObject {
    Q_OBJECT
private slots:
    void poolOrder_data()
    {
        QTest::addColumn<int>("items");
        QTest::addColumn<QString>("expected");
        QTest::newRow("three items") << 3 << "132 213 231 321 312";
        QTest::newRow("four items")
            << 4 << "1243 1324 1342 1432 1423 2134 2143 2314 2341 2431 2413 3214 3241 3124 "
                    "3142 3412 3421 4231 4213 4321 4312 4132 4123";
    }
    void poolOrder()
    {
        QFETCH(int, items);
        QFETCH(QString, expected);
        QString pool;
        for (const QString& digits : expected.split(QLatin1Char(' ')))
            pool += fromDigits(digits);
        QCOMPARE(arrangementPool(items), pool);
    }

    void poolSizeAndContents_data()
    {
        QTest::addColumn<int>("items");
        QTest::addColumn<int>("arrangements");
        QTest::newRow("three items") << 3 << 5;
        QTest::newRow("four items") << 4 << 23;
    }
    void poolSizeAndContents()
    {
        QFETCH(int, items);
        QFETCH(int, arrangements);
        const QString pool = arrangementPool(items);
        QCOMPARE(pool.size(), arrangements * items);
        const QStringList units = unitsOf(pool, items);
        const QSet<QString> distinct(units.begin(), units.end());
        QCOMPARE(distinct.size(), arrangements);
        QVERIFY(!distinct.contains(identityArrangement(items)));
        for (const QString& unit : units) {
            // Each of the items 1..N exactly once.
            QString sorted = unit;
            std::sort(sorted.begin(), sorted.end());
            QCOMPARE(sorted, identityArrangement(items));
        }
    }

    void appendsBehindWhatThePoolHeld()
    {
        // The enumeration only appends; emptying the pool is the caller's job.
        QString pool = QStringLiteral("xyz");
        appendArrangements(pool, 1, identityArrangement(3), 3);
        QCOMPARE(pool, QStringLiteral("xyz") + arrangementPool(3));
    }
};

QTEST_MAIN(TestArrangements)
#include "test_arrangements.moc"
