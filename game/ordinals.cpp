// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/ordinals.h"

#include <array>

namespace {

// Entry 0 is never used; entry 21 stands for every game after the twentieth.
const std::array<const char16_t*, 22> kOrdinals = {
    u"",
    u"pierwsza", u"druga", u"trzecia", u"czwarta", u"piąta",
    u"szósta", u"siódma", u"ósma", u"dziewiąta", u"dziesiąta",
    u"jedenasta", u"dwunasta", u"trzynasta", u"czternasta", u"piętnasta",
    u"szesnasta", u"siedemnasta", u"osiemnasta", u"dziewiętnasta", u"dwudziesta",
    u"następna",
};

}  // namespace

QString ordinalWord(int count)
{
    if (count <= 0)
        return {};
    const int index = count < int(kOrdinals.size()) ? count : int(kOrdinals.size()) - 1;
    return QString::fromUtf16(kOrdinals[index]);
}
