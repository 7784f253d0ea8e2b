// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle/phrase_tables.h"

#include <array>
#include <iterator>

namespace PhraseTables {
namespace {

struct Phrase {
    std::array<const char16_t*, StringsPerPhrase> strings;
};

// Every string exactly as the game prints it, blanks included; connectors
// after the last used one are a single blank and never read.
// Level 1
constexpr Phrase level0[] = {
    {{u"1020", u"0221", u"1000", u" leży pomiędzy ", u" i ", u", na prawo od ", u" ", u" ", u" ", u" ", u" ", u" "}},
    {{u"1200", u"0221", u"1000", u" leży pomiędzy ", u" i ", u", na prawo od ", u" ", u" ", u" ", u" ", u" ", u" "}},
    {{u"1202", u"0221", u"1000", u" leży pomiędzy ", u" i ", u", na lewo od ", u" ", u" ", u" ", u" ", u" ", u" "}},
    {{u"1022", u"0221", u"1000", u" leży pomiędzy ", u" i ", u", na lewo od ", u" ", u" ", u" ", u" ", u" ", u" "}},
    {{u"50210", u"00001", u"10010", u"Z brzegów leżą ", u" i ", u". ", u" leży na prawo od ", u" ", u" ", u" ", u" ", u" "}},
    {{u"52010", u"00001", u"10010", u"Z brzegów leżą ", u" i ", u". ", u" leży na prawo od ", u" ", u" ", u" ", u" ", u" "}},
    {{u"50212", u"00001", u"10010", u"Z brzegów leżą ", u" i ", u". ", u" leży na lewo od ", u" ", u" ", u" ", u" ", u" "}},
    {{u"52012", u"00001", u"10010", u"Z brzegów leżą ", u" i ", u". ", u" leży na lewo od ", u" ", u" ", u" ", u" ", u" "}},
    {{u"0210", u"0001", u"1010", u" i ", u" nie leżą obok siebie. ", u" leży na prawo od ", u" ", u" ", u" ", u" ", u" ", u" "}},
    {{u"2010", u"0001", u"1010", u" i ", u" nie leżą obok siebie. ", u" leży na prawo od ", u" ", u" ", u" ", u" ", u" ", u" "}},
    {{u"0212", u"0001", u"1010", u" i ", u" nie leżą obok siebie. ", u" leży na lewo od ", u" ", u" ", u" ", u" ", u" ", u" "}},
    {{u"2012", u"0001", u"1010", u" i ", u" nie leżą obok siebie. ", u" leży na lewo od ", u" ", u" ", u" ", u" ", u" ", u" "}},
};
// Level 2
constexpr Phrase level1[] = {
    {{u"50312231", u"00000011", u"00000100", u"Z brzegów leżą ", u" i ", u", a pomiędzy nimi ", u" i ", u". ", u" leży na lewo od ", u" i na prawo od ", u" ", u" "}},
    {{u"50312102", u"00000011", u"00000100", u"Z brzegów leżą ", u" i ", u", a pomiędzy nimi ", u" i ", u". ", u" leży na prawo od ", u" i na lewo od ", u" ", u" "}},
    {{u"503121020", u"000000221", u"000001000", u"Z lewej strony leży ", u", z prawej ", u", a w środku ", u" i ", u". ", u" leży pomiędzy ", u" i ", u", na prawo od ", u" "}},
    {{u"503121022", u"000000221", u"000001000", u"Z lewej strony leży ", u", z prawej ", u", a w środku ", u" i ", u". ", u" leży pomiędzy ", u" i ", u", na lewo od ", u" "}},
    {{u"503122131", u"000000221", u"000001000", u"Z lewej strony leży ", u", z prawej ", u", a w środku ", u" i ", u". ", u" leży pomiędzy ", u" i ", u", na prawo od ", u" "}},
    {{u"503122133", u"000000221", u"000001000", u"Z lewej strony leży ", u", z prawej ", u", a w środku ", u" i ", u". ", u" leży pomiędzy ", u" i ", u", na lewo od ", u" "}},
};
// Level 3
constexpr Phrase level2[] = {
    {{u"0121310", u"0102201", u"0010010", u" leży obok ", u". ", u" leży pomiędzy ", u" i ", u". ", u" leży na prawo od ", u" ", u" ", u" "}},
    {{u"0121301", u"0102201", u"0010010", u" leży obok ", u". ", u" leży pomiędzy ", u" i ", u". ", u" leży na lewo od ", u" ", u" ", u" "}},
    {{u"2310232", u"0102201", u"0010010", u" leży obok ", u". ", u" leży pomiędzy ", u" i ", u". ", u" leży na prawo od ", u" ", u" ", u" "}},
    {{u"2310223", u"0102201", u"0010010", u" leży obok ", u". ", u" leży pomiędzy ", u" i ", u". ", u" leży na lewo od ", u" ", u" ", u" "}},
    {{u"10221301", u"02202201", u"00000010", u" leży pomiędzy ", u" i ", u", a ", u" leży pomiędzy ", u" i ", u". ", u" leży na lewo od ", u" ", u" "}},
    {{u"10221312", u"02202201", u"00000010", u" leży pomiędzy ", u" i ", u", a ", u" leży pomiędzy ", u" i ", u". ", u" leży na lewo od ", u" ", u" "}},
    {{u"10221323", u"02202201", u"00000010", u" leży pomiędzy ", u" i ", u", a ", u" leży pomiędzy ", u" i ", u". ", u" leży na lewo od ", u" ", u" "}},
    {{u"10221310", u"02202201", u"00000010", u" leży pomiędzy ", u" i ", u", a ", u" leży pomiędzy ", u" i ", u". ", u" leży na prawo od ", u" ", u" "}},
    {{u"10221321", u"02202201", u"00000010", u" leży pomiędzy ", u" i ", u", a ", u" leży pomiędzy ", u" i ", u". ", u" leży na prawo od ", u" ", u" "}},
    {{u"10221332", u"02202201", u"00000010", u" leży pomiędzy ", u" i ", u", a ", u" leży pomiędzy ", u" i ", u". ", u" leży na prawo od ", u" ", u" "}},
};
// Level 4
constexpr Phrase level3[] = {
    {{u"50312103", u"00000011", u"00000100", u"Z brzegów leżą ", u" i ", u", a pomiędzy nimi ", u" i ", u". ", u" leży na prawo od ", u" i nie leży obok ", u" ", u" "}},
    {{u"50312210", u"00000011", u"00000100", u"Z brzegów leżą ", u" i ", u", a pomiędzy nimi ", u" i ", u". ", u" leży na prawo od ", u" i nie leży obok ", u" ", u" "}},
    {{u"50312123", u"00000011", u"00000100", u"Z brzegów leżą ", u" i ", u", a pomiędzy nimi ", u" i ", u". ", u" leży na lewo od ", u" i nie leży obok ", u" ", u" "}},
    {{u"50312230", u"00000011", u"00000100", u"Z brzegów leżą ", u" i ", u", a pomiędzy nimi ", u" i ", u". ", u" leży na lewo od ", u" i nie leży obok ", u" ", u" "}},
    {{u"121321", u"000101", u"001010", u" i ", u" leżą w środku. ", u" nie leży obok ", u". ", u" leży na prawo od ", u" ", u" ", u" ", u" "}},
    {{u"122012", u"000101", u"001010", u" i ", u" leżą w środku. ", u" nie leży obok ", u". ", u" leży na lewo od ", u" ", u" ", u" ", u" "}},
    {{u"123112", u"000101", u"001010", u" i ", u" leżą w środku. ", u" nie leży obok ", u". ", u" leży na lewo od ", u" ", u" ", u" ", u" "}},
    {{u"120221", u"000101", u"001010", u" i ", u" leżą w środku. ", u" nie leży obok ", u". ", u" leży na prawo od ", u" ", u" ", u" ", u" "}},
};

struct Table {
    const Phrase* phrases;
    int count;
};

constexpr Table tables[] = {
    {level0, int(std::size(level0))},
    {level1, int(std::size(level1))},
    {level2, int(std::size(level2))},
    {level3, int(std::size(level3))},
};

}  // namespace

int phraseCount(int level)
{
    if (level < 0 || level >= int(std::size(tables)))
        return 0;
    return tables[level].count;
}

QString phraseString(int level, int phrase, int stringNo)
{
    if (phrase < 0 || phrase >= phraseCount(level) || stringNo < 1 || stringNo > StringsPerPhrase)
        return {};
    return QString::fromUtf16(tables[level].phrases[phrase].strings[stringNo - 1]);
}

}  // namespace PhraseTables
