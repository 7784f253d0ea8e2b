// SPDX-License-Identifier: GPL-3.0-or-later
// The deal's draws: phrase, items, matching shelf and the other shelves'
// orders, replayed from seeds and from scripted random numbers.
#include "content/game_error.h"
#include "puzzle/arrangements.h"
#include "puzzle/deal.h"
#include "puzzle/phrase_meaning.h"
#include "puzzle/phrase_tables.h"
#include "support/test_units.h"

#include <QSet>
#include <algorithm>
#include <QTest>
#include <random>

namespace {

struct LevelDeal {
    int itemCount;
    int shelfCount;
};
LevelDeal dealOf(int level) { return level == 0 ? LevelDeal{3, 6} : LevelDeal{4, 12}; }

QString codes(int count, int first = 0)
{
    QString fruct;
    for (int i = 0; i < count; ++i)
        fruct += QStringLiteral("%1").arg(first + i * 7, 5, 10, QLatin1Char('0'));
    return fruct;
}

// Answers with the scripted values in turn (0 once they run out) and
// records every n it was asked for.
struct ScriptedRandom {
    QList<int> answers;
    QList<int> asked;
    RandomSource source()
    {
        return [this](int n) {
            asked.append(n);
            return answers.isEmpty() ? 0 : answers.takeFirst();
        };
    }
};

}  // namespace

class TestDeal : public QObject {
    Q_OBJECT
private slots:
    void seededDeals_data()
    {
        QTest::addColumn<int>("level");
        for (int level = 0; level < 4; ++level)
            QTest::addRow("level %d", level + 1) << level;
    }
    void seededDeals()
    {
        QFETCH(int, level);
        const auto [items, shelves] = dealOf(level);
        const QString fruct = codes(16);
        const QString pool = arrangementPool(items);
        const QString identity = identityArrangement(items);
        std::mt19937 engine(4711u + unsigned(level));
        const RandomSource random = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine); };
        QSet<int> correctSeen;
        QSet<int> phrasesSeen;
        const auto fits = [level](int phrase, const QString& order) {
            return PhraseMeaning::fitsAnyReading(level, phrase, order);
        };
        for (int deal = 0; deal < 1000; ++deal) {
            const DealPlan plan = planDeal(PhraseTables::phraseCount(level), items, shelves, fruct, pool, random, fits);
            QVERIFY(plan.phrase >= 0 && plan.phrase < PhraseTables::phraseCount(level));
            phrasesSeen.insert(plan.phrase);
            correctSeen.insert(plan.correctShelf);

            // Items: distinct lines of the list.
            const QStringList chosen = unitsOf(plan.items, 5);
            QCOMPARE(chosen.size(), items);
            QCOMPARE(QSet<QString>(chosen.begin(), chosen.end()).size(), items);
            for (const QString& code : chosen)
                QVERIFY(firstLineOfCode(fruct, code) >= 0);

            // Shelves: distinct orders, the identity once and at the matching shelf.
            QCOMPARE(plan.shelves.size(), shelves);
            QCOMPARE(QSet<QString>(plan.shelves.begin(), plan.shelves.end()).size(), shelves);
            QCOMPARE(plan.shelves.indexOf(identity), plan.correctShelf);
            QCOMPARE(plan.shelves.lastIndexOf(identity), plan.correctShelf);
            for (const QString& order : plan.shelves)
                QVERIFY(order == identity || unitsOf(pool, items).contains(order));
            // A fair puzzle: no other shelf fits the description, however
            // "pomiędzy" and "na prawo od" are read.
            for (const QString& order : plan.shelves)
                QCOMPARE(fits(plan.phrase, order), order == identity);

            // The matching shelf's slots name the chosen items in drawing order,
            // and TElement finds their lines.
            QCOMPARE(shelfPictures(plan.items, plan.shelves[plan.correctShelf]), plan.items);
            std::array<std::int32_t, 5> element{-7, -7, -7, -7, -7};
            assignElements(element, plan.items, plan.shelves[plan.correctShelf], fruct);
            for (int k = 0; k < items; ++k)
                QCOMPARE(fruct.mid(element[size_t(k)] * 5, 5), chosen[k]);
            for (int k = items; k < 5; ++k)
                QCOMPARE(element[size_t(k)], -7);
        }
        // Every place of the matching shelf and every phrase comes up.
        QCOMPARE(correctSeen.size(), shelves);
        QCOMPARE(phrasesSeen.size(), PhraseTables::phraseCount(level));
    }

    // How many phrases of a level some other order also fits, per reading.
    // The matching shelf fits every phrase in every reading.
    void phrasesWithASecondOrder_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QList<int>>("perReading");  // between × side: beside/beside, beside/anywhere, anywhere/…
        QTest::newRow("level 1") << 0 << QList<int>{0, 0, 0, 0};
        QTest::newRow("level 2") << 1 << QList<int>{0, 0, 0, 0};
        QTest::newRow("level 3: 'pomiędzy' as anywhere between") << 2 << QList<int>{0, 0, 4, 4};
        QTest::newRow("level 4") << 3 << QList<int>{0, 0, 0, 0};
    }
    void phrasesWithASecondOrder()
    {
        using namespace PhraseMeaning;
        QFETCH(int, level);
        QFETCH(QList<int>, perReading);
        const int items = dealOf(level).itemCount;
        const QStringList others = unitsOf(arrangementPool(items), items);
        QList<int> counted;
        for (const Reach between : {Reach::Beside, Reach::Anywhere}) {
            for (const Reach side : {Reach::Beside, Reach::Anywhere}) {
                int phrases = 0;
                for (int phrase = 0; phrase < PhraseTables::phraseCount(level); ++phrase) {
                    QVERIFY(fits(level, phrase, identityArrangement(items), {between, side}));
                    phrases += std::any_of(others.begin(), others.end(), [&](const QString& order) {
                        return fits(level, phrase, order, {between, side});
                    });
                }
                counted.append(phrases);
            }
        }
        QCOMPARE(counted, perReading);
    }

    void drawOrder()
    {
        // phrase, three items from a shrinking list, the matching shelf,
        // then five orders from a shrinking pool.
        ScriptedRandom script;
        planDeal(12, 3, 6, codes(16), arrangementPool(3), script.source());
        QCOMPARE(script.asked, (QList<int>{12, 16, 15, 14, 6, 5, 4, 3, 2, 1}));

        ScriptedRandom four;
        planDeal(8, 4, 12, codes(9), arrangementPool(4), four.source());
        QCOMPARE(four.asked, (QList<int>{8, 9, 8, 7, 6, 12, 23, 22, 21, 20, 19, 18, 17, 16, 15, 14, 13}));
    }

    void placeOfTheMatchingShelf_data()
    {
        QTest::addColumn<int>("correct");
        QTest::addColumn<QList<int>>("shelves");   // pool unit per shelf, -1 the identity
        // Every order is drawn as unit 0 of what is left, so the draws come
        // in pool order: the first ones follow the identity, the rest precede
        // it in reverse.
        QTest::newRow("first") << 0 << QList<int>{-1, 0, 1, 2, 3, 4};
        QTest::newRow("middle") << 2 << QList<int>{4, 3, -1, 0, 1, 2};
        QTest::newRow("last") << 5 << QList<int>{4, 3, 2, 1, 0, -1};
    }
    void placeOfTheMatchingShelf()
    {
        QFETCH(int, correct);
        QFETCH(QList<int>, shelves);
        ScriptedRandom script{{0, 0, 0, 0, correct}, {}};
        const DealPlan plan = planDeal(12, 3, 6, codes(6), arrangementPool(3), script.source());
        QCOMPARE(plan.correctShelf, correct);
        const QStringList pool = unitsOf(arrangementPool(3), 3);
        QStringList expected;
        for (const int unit : shelves)
            expected.append(unit < 0 ? identityArrangement(3) : pool[unit]);
        QCOMPARE(plan.shelves, expected);
    }

    void repeatedCodeResolvesToItsFirstLine()
    {
        // Lines 1 and 3 carry the same picture: both items find line 1.
        const QString fruct = QStringLiteral("00005000070000900007");
        std::array<std::int32_t, 5> element{};
        assignElements(element, QStringLiteral("0000700007"), identityArrangement(2), fruct);
        QCOMPARE(element[0], 1);
        QCOMPARE(element[1], 1);
        QCOMPARE(firstLineOfCode(fruct, QStringLiteral("00009")), 2);
        QCOMPARE(firstLineOfCode(fruct, QStringLiteral("00008")), -1);
        // Matched on whole units only, never across a unit boundary.
        QCOMPARE(firstLineOfCode(fruct, QStringLiteral("50000")), -1);
    }

    void tooShortListIsRejected_data()
    {
        QTest::addColumn<int>("listItems");
        QTest::addColumn<int>("poolOrders");
        QTest::newRow("two items for a shelf of three") << 2 << 5;
        QTest::newRow("no items") << 0 << 5;
        QTest::newRow("pool missing") << 6 << 0;
    }
    void tooShortListIsRejected()
    {
        QFETCH(int, listItems);
        QFETCH(int, poolOrders);
        const QString pool = arrangementPool(3).left(poolOrders * 3);
        int draws = 0;
        QVERIFY_THROWS_EXCEPTION(GameError, planDeal(12, 3, 6, codes(listItems), pool, [&](int) { return ++draws, 0; }));
        QCOMPARE(draws, 0);
    }
};

QTEST_MAIN(TestDeal)
#include "test_deal.moc"
