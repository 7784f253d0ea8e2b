// SPDX-License-Identifier: GPL-3.0-or-later
// The phrase tables: their shape, the grammar their form and flag strings
// follow, and that every phrase, read the way a pupil reads it, fits the
// matching shelf and no other order of the level's items. The sentence is
// parsed from its Polish words, independently of how the tables are laid
// out, so a mistyped connector or a wrong slot shows up as well.
#include "puzzle/phrase_tables.h"

#include <QRegularExpression>
#include <QTest>
#include <algorithm>
#include <functional>
#include <vector>

using namespace PhraseTables;

namespace {

const int expectedCounts[] = {12, 6, 10, 8};


// slotOf[item] is the slot (0 = leftmost) in which item A, B, C or D lies.
using Order = std::vector<int>;
using Condition = std::function<bool(const Order&)>;

struct Reading {
    std::vector<Condition> conditions;
    QStringList unread;   // clauses the reader did not understand
};

int item(const QString& letter) { return letter.at(0).unicode() - u'A'; }

// The reading rules: "pomiędzy Y i Z" = Y and Z are X's two neighbours;
// "na prawo/lewo od" = somewhere further right/left; "obok" = next slot;
// "Z brzegów" = the two end slots; "w środku", "pomiędzy nimi" = the two
// inner slots; "Z lewej strony", "z prawej" = leftmost, rightmost.
class Reader {
public:
    explicit Reader(int items) : items(items) {}

    Reading read(const QString& text)
    {
        Reading reading;
        QString body = text;
        if (body.endsWith(QLatin1Char('.')))
            body.chop(1);
        for (const QString& sentence : body.split(QStringLiteral(". "))) {
            int subject = -1;
            for (const QString& part : sentence.split(QStringLiteral(", a ")))
                for (const QString& clause : part.split(QStringLiteral(", ")))
                    if (!readClause(clause, subject, reading.conditions))
                        reading.unread.append(clause);
        }
        return reading;
    }

private:
    bool readClause(const QString& clause, int& subject, std::vector<Condition>& out) const
    {
        QRegularExpressionMatch m;
        auto is = [&](const char* pattern) {
            m = QRegularExpression(QStringLiteral("^%1$").arg(QString::fromUtf8(pattern))).match(clause);
            return m.hasMatch();
        };
        auto at = [&](int n) { return item(m.captured(n)); };

        if (is("Z brzegów leżą ([A-D]) i ([A-D])")) {
            ends(out, at(1), at(2));
        } else if (is("pomiędzy nimi ([A-D]) i ([A-D])") || is("w środku ([A-D]) i ([A-D])")
                   || is("([A-D]) i ([A-D]) leżą w środku")) {
            inner(out, at(1), at(2));
        } else if (is("Z lewej strony leży ([A-D])")) {
            const int x = at(1);
            out.push_back([x](const Order& s) { return s[x] == 0; });
        } else if (is("z prawej ([A-D])")) {
            const int x = at(1), last = items - 1;
            out.push_back([x, last](const Order& s) { return s[x] == last; });
        } else if (is("([A-D]) i ([A-D]) nie leżą obok siebie")) {
            apart(out, at(1), at(2));
        } else if (is("([A-D]) nie leży obok ([A-D])")) {
            subject = at(1);
            apart(out, at(1), at(2));
        } else if (is("([A-D]) leży (.+)")) {
            subject = at(1);
            return readPredicate(m.captured(2), subject, out);
        } else if (subject >= 0) {
            // A clause continuing the subject of the one before it.
            return readPredicate(clause, subject, out);
        } else {
            return false;
        }
        return true;
    }

    bool readPredicate(const QString& predicate, int x, std::vector<Condition>& out) const
    {
        const QRegularExpression between(QStringLiteral("^pomiędzy ([A-D]) i ([A-D])$"));
        if (const auto m = between.match(predicate); m.hasMatch()) {
            const int y = item(m.captured(1)), z = item(m.captured(2));
            out.push_back([x, y, z](const Order& s) {
                return y != z && std::abs(s[x] - s[y]) == 1 && std::abs(s[x] - s[z]) == 1;
            });
            return true;
        }
        for (const QString& part : predicate.split(QStringLiteral(" i "))) {
            const auto m = QRegularExpression(QStringLiteral("^(na prawo od|na lewo od|obok|nie leży obok) ([A-D])$"))
                               .match(part);
            if (!m.hasMatch())
                return false;
            const int y = item(m.captured(2));
            const QString relation = m.captured(1);
            if (relation == QStringLiteral("na prawo od"))
                out.push_back([x, y](const Order& s) { return s[x] > s[y]; });
            else if (relation == QStringLiteral("na lewo od"))
                out.push_back([x, y](const Order& s) { return s[x] < s[y]; });
            else if (relation == QStringLiteral("obok"))
                out.push_back([x, y](const Order& s) { return std::abs(s[x] - s[y]) == 1; });
            else
                apart(out, x, y);
        }
        return true;
    }

    void ends(std::vector<Condition>& out, int x, int y) const
    {
        const int last = items - 1;
        out.push_back([x, y, last](const Order& s) {
            return std::min(s[x], s[y]) == 0 && std::max(s[x], s[y]) == last;
        });
    }
    void inner(std::vector<Condition>& out, int x, int y) const
    {
        const int last = items - 1;
        out.push_back([x, y, last](const Order& s) {
            return x != y && s[x] > 0 && s[x] < last && s[y] > 0 && s[y] < last;
        });
    }
    static void apart(std::vector<Condition>& out, int x, int y)
    {
        out.push_back([x, y](const Order& s) { return std::abs(s[x] - s[y]) != 1; });
    }

    int items;
};

// The phrase filled with the letters of the matching shelf's items.
QString sentenceOf(int level, int phrase)
{
    const QString tokens = PhraseTables::tokens(level, phrase);
    QString text;
    for (int p = 0; p < tokens.size(); ++p) {
        if (tokens[p].digitValue() < 5)
            text += QChar(u'A' + tokens[p].digitValue());
        if (p < tokens.size() - 1)
            text += PhraseTables::connector(level, phrase, p + 1);
    }
    return text + QLatin1Char('.');
}

// Every order of `items` items that fits the reading.
std::vector<Order> fittingOrders(const Reading& reading, int items)
{
    std::vector<Order> fitting;
    Order slotOf(static_cast<size_t>(items), 0);
    for (int i = 0; i < items; ++i)
        slotOf[size_t(i)] = i;
    do {
        if (std::all_of(reading.conditions.begin(), reading.conditions.end(),
                        [&](const Condition& c) { return c(slotOf); }))
            fitting.push_back(slotOf);
    } while (std::next_permutation(slotOf.begin(), slotOf.end()));
    return fitting;
}

}  // namespace

class TestPhraseTables : public QObject {
    Q_OBJECT
private slots:
    void countsAndLookup()
    {
        for (int level = 0; level < 4; ++level)
            QCOMPARE(phraseCount(level), expectedCounts[level]);
        QCOMPARE(phraseCount(4), 0);
        QVERIFY(phraseString(0, 12, 1).isEmpty());
        QVERIFY(phraseString(2, 0, 13).isEmpty());
        QCOMPARE(phraseString(3, 7, 1), QStringLiteral("120221"));
        QCOMPARE(phraseString(1, 2, 4), QStringLiteral("Z lewej strony leży "));
    }

    // Equal lengths, unused connectors a single blank, slots in range; form 1
    // after "obok" and "od", form 2 after "pomiędzy" and the " i " behind it;
    // flag "1" where a sentence begins after a full stop (and on level 1's
    // first token).
    void shapeAndGrammar_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("phrase");
        for (int level = 0; level < 4; ++level)
            for (int phrase = 0; phrase < expectedCounts[level]; ++phrase)
                QTest::addRow("level %d phrase %d", level + 1, phrase) << level << phrase;
    }
    void shapeAndGrammar()
    {
        QFETCH(int, level);
        QFETCH(int, phrase);
        const QString t = tokens(level, phrase), f = forms(level, phrase), g = flags(level, phrase);
        QVERIFY(!t.isEmpty() && t.size() <= 9);
        QCOMPARE(f.size(), t.size());
        QCOMPARE(g.size(), t.size());
        for (int k = t.size(); k <= 9; ++k)
            QCOMPARE(connector(level, phrase, k), QStringLiteral(" "));
        const int items = level == 0 ? 3 : 4;
        for (int p = 0; p < t.size(); ++p) {
            const int slot = t[p].digitValue();
            QVERIFY(slot == 5 || (slot >= 0 && slot < items));
            const QString before = p > 0 ? connector(level, phrase, p) : QString();
            int form = 0;
            if (slot < 5 && (before.endsWith(QStringLiteral("obok ")) || before.endsWith(QStringLiteral(" od "))))
                form = 1;
            else if (slot < 5 && (before.endsWith(QStringLiteral("pomiędzy "))
                                  || (before == QStringLiteral(" i ") && p > 1
                                      && connector(level, phrase, p - 1).endsWith(QStringLiteral("pomiędzy ")))))
                form = 2;
            QVERIFY2(f[p].digitValue() == form, qPrintable(QStringLiteral("token %1 of %2").arg(p).arg(t)));
            const bool capital = before.endsWith(QStringLiteral(". ")) || (level == 0 && p == 0);
            QCOMPARE(g[p], capital ? QLatin1Char('1') : QLatin1Char('0'));
        }
    }

    void everyPhraseHasOneAnswer_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("phrase");
        for (int level = 0; level < 4; ++level)
            for (int phrase = 0; phrase < expectedCounts[level]; ++phrase)
                QTest::addRow("level %d phrase %d", level + 1, phrase) << level << phrase;
    }
    void everyPhraseHasOneAnswer()
    {
        QFETCH(int, level);
        QFETCH(int, phrase);
        const int items = level == 0 ? 3 : 4;
        const QString sentence = sentenceOf(level, phrase);
        const Reading reading = Reader(items).read(sentence);
        QVERIFY2(reading.unread.isEmpty(), qPrintable(sentence + " | " + reading.unread.join(" | ")));
        const std::vector<Order> fitting = fittingOrders(reading, items);
        QVERIFY2(fitting.size() == 1, qPrintable(QStringLiteral("%1 fits %2 orders").arg(sentence).arg(fitting.size())));
        for (int i = 0; i < items; ++i)
            QCOMPARE(fitting[0][size_t(i)], i);   // the identity: item k in slot k
    }

    // The reader itself tells weak and wrong sentences apart, so the test
    // above could fail.
    void readerCountsOrders_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<int>("items");
        QTest::addColumn<int>("orders");
        QTest::newRow("neighbours only") << "A leży obok B." << 3 << 4;
        QTest::newRow("ends only") << "Z brzegów leżą A i C." << 3 << 2;
        QTest::newRow("untrue of every order") << "B leży pomiędzy A i C, a A leży obok C." << 3 << 0;
        QTest::newRow("inner pair") << "B i C leżą w środku." << 4 << 4;
        QTest::newRow("leftmost and rightmost")
            << "Z lewej strony leży A, z prawej D, a w środku B i C." << 4 << 2;
        QTest::newRow("left of, not next to") << "A leży na lewo od B i nie leży obok C." << 4 << 6;
    }
    void readerCountsOrders()
    {
        QFETCH(QString, sentence);
        QFETCH(int, items);
        QFETCH(int, orders);
        const Reading reading = Reader(items).read(sentence);
        QVERIFY(reading.unread.isEmpty());
        QCOMPARE(int(fittingOrders(reading, items).size()), orders);
    }
};

QTEST_MAIN(TestPhraseTables)
#include "test_phrase_tables.moc"
