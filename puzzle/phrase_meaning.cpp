// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle/phrase_meaning.h"

#include "content/game_error.h"
#include "puzzle/phrase_tables.h"

#include <QRegularExpression>
#include <algorithm>
#include <cstdlib>
#include <map>
#include <vector>

namespace PhraseMeaning {
namespace {

// One thing a phrase says; a, b and c are item numbers (the token digits).
struct Fact {
    enum Kind { AtEnds, Inside, First, Last, Beside, NotBeside, Between, RightOf, LeftOf } kind;
    int a = -1, b = -1, c = -1;
};

// A clause of the phrases' language, as it is written in their connectors.
// `subject`: the clause goes on about the item of the last "X leży".
struct Clause {
    const char* pattern;
    bool aboutSubject;
    Fact::Kind kind;
    bool opensSubject = false;
};

// Every clause the phrase tables use; #(\d) is an item. "Z brzegów … , a
// pomiędzy nimi Y i Z" puts Y and Z inside the row in either reading.
const Clause clauses[] = {
    {"Z brzegów leżą #(\\d) i #(\\d)", false, Fact::AtEnds},
    {", a pomiędzy nimi #(\\d) i #(\\d)", false, Fact::Inside},
    {"Z lewej strony leży #(\\d)", false, Fact::First},
    {", z prawej #(\\d)", false, Fact::Last},
    {", a w środku #(\\d) i #(\\d)", false, Fact::Inside},
    {"#(\\d) i #(\\d) leżą w środku", false, Fact::Inside},
    {"#(\\d) i #(\\d) nie leżą obok siebie", false, Fact::NotBeside},
    {"#(\\d) nie leży obok #(\\d)", false, Fact::NotBeside, true},
    {"(?:, a )?#(\\d) leży pomiędzy #(\\d) i #(\\d)", false, Fact::Between, true},
    {"#(\\d) leży obok #(\\d)", false, Fact::Beside, true},
    {"#(\\d) leży na prawo od #(\\d)", false, Fact::RightOf, true},
    {"#(\\d) leży na lewo od #(\\d)", false, Fact::LeftOf, true},
    {"(?:,| i) na prawo od #(\\d)", true, Fact::RightOf},
    {"(?:,| i) na lewo od #(\\d)", true, Fact::LeftOf},
    {" i nie leży obok #(\\d)", true, Fact::NotBeside},
};

// The phrase as one line with each item written #d and the "no item" token
// left out: the names and their cases do not matter here.
QString skeleton(int level, int phrase)
{
    const QString tokens = PhraseTables::tokens(level, phrase);
    QString text;
    for (int k = 1; k <= tokens.size(); ++k) {
        if (tokens[k - 1] != u'5')
            text += u'#' + tokens[k - 1];
        text += PhraseTables::connector(level, phrase, k);
    }
    return text.simplified();
}

std::vector<Fact> readFacts(int level, int phrase)
{
    static const std::vector<QRegularExpression> expressions = [] {
        std::vector<QRegularExpression> list;
        for (const Clause& clause : clauses)
            list.emplace_back(QString::fromUtf8(clause.pattern));
        return list;
    }();
    static const QRegularExpression fullStop(QStringLiteral("\\. ?"));
    const auto anchored = [](const QRegularExpression& e, const QString& text, qsizetype at) {
        return e.match(text, at, QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption);
    };

    const QString text = skeleton(level, phrase);
    std::vector<Fact> facts;
    int subject = -1;
    qsizetype at = 0;
    while (at < text.size()) {
        if (const auto stop = anchored(fullStop, text, at); stop.hasMatch()) {
            subject = -1;
            at = stop.capturedEnd();
            continue;
        }
        qsizetype next = at;
        for (size_t i = 0; i < std::size(clauses) && next == at; ++i) {
            const auto m = anchored(expressions[i], text, at);
            if (!m.hasMatch() || (clauses[i].aboutSubject && subject < 0))
                continue;
            std::vector<int> items;
            if (clauses[i].aboutSubject)
                items.push_back(subject);
            for (int g = 1; g <= m.lastCapturedIndex(); ++g)
                items.push_back(m.captured(g).toInt());
            if (clauses[i].opensSubject)
                subject = items.front();
            items.resize(3, -1);
            if (clauses[i].kind == Fact::Inside) {
                facts.push_back({Fact::Inside, items[0]});
                facts.push_back({Fact::Inside, items[1]});
            } else {
                facts.push_back({clauses[i].kind, items[0], items[1], items[2]});
            }
            next = m.capturedEnd();
        }
        if (next == at)
            throw GameError(QStringLiteral("Nie można odczytać zdania opisu: „%1”").arg(text.mid(at)));
        at = next;
    }
    return facts;
}

// Read once per phrase: a deal asks about every order of its pool.
const std::vector<Fact>& factsOf(int level, int phrase)
{
    static std::map<std::pair<int, int>, std::vector<Fact>> read;
    const auto key = std::make_pair(level, phrase);
    auto found = read.find(key);
    if (found == read.end())
        found = read.emplace(key, readFacts(level, phrase)).first;
    return found->second;
}

bool holds(const Fact& fact, const QString& order, Reading reading)
{
    const auto slot = [&order](int item) {
        const int s = item < 0 ? -1 : int(order.indexOf(QChar(item + 1)));
        if (s < 0)
            throw GameError(QStringLiteral("Zdanie opisu mówi o przedmiocie, którego nie ma na półce"));
        return s;
    };
    const int last = int(order.size()) - 1;
    const auto beside = [](int x, int y) { return std::abs(x - y) == 1; };
    const auto side = [reading](int step) { return reading.side == Reach::Beside ? step == 1 : step > 0; };
    switch (fact.kind) {
    case Fact::AtEnds: return std::min(slot(fact.a), slot(fact.b)) == 0 && std::max(slot(fact.a), slot(fact.b)) == last;
    case Fact::Inside: return slot(fact.a) > 0 && slot(fact.a) < last;
    case Fact::First: return slot(fact.a) == 0;
    case Fact::Last: return slot(fact.a) == last;
    case Fact::Beside: return beside(slot(fact.a), slot(fact.b));
    case Fact::NotBeside: return !beside(slot(fact.a), slot(fact.b));
    case Fact::RightOf: return side(slot(fact.a) - slot(fact.b));
    case Fact::LeftOf: return side(slot(fact.b) - slot(fact.a));
    case Fact::Between: {
        const int x = slot(fact.a), y = slot(fact.b), z = slot(fact.c);
        if (reading.between == Reach::Beside)
            return beside(x, y) && beside(x, z) && y != z;
        return std::min(y, z) < x && x < std::max(y, z);
    }
    }
    return false;
}

}  // namespace

bool fits(int level, int phrase, const QString& order, Reading reading)
{
    const auto& facts = factsOf(level, phrase);
    return std::all_of(facts.begin(), facts.end(), [&](const Fact& f) { return holds(f, order, reading); });
}

bool fitsAnyReading(int level, int phrase, const QString& order)
{
    for (const Reach between : {Reach::Beside, Reach::Anywhere})
        for (const Reach side : {Reach::Beside, Reach::Anywhere})
            if (fits(level, phrase, order, {between, side}))
                return true;
    return false;
}

}  // namespace PhraseMeaning
