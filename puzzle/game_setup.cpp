// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/t_form.h"

#include "content/item_list.h"
#include "puzzle/arrangements.h"
#include "puzzle/deal.h"
#include "puzzle/phrase_tables.h"

#include <QProgressBar>

namespace {

int itemsPerShelf(int level) { return level == 0 ? 3 : 4; }

// The list file of a level: character level + 1 of S_Fru_Weg, '0' F.tx,
// '1' G.tx, '2' H.tx.
QString listFileOf(const QString& choice, int level)
{
    const int which = level >= 0 && level < choice.size() ? choice[level].digitValue() : 0;
    static const char* const files[] = {"F.tx", "G.tx", "H.tx"};
    return QString::fromLatin1(files[which >= 0 && which < 3 ? which : 0]);
}

}  // namespace

void T_Form::BuildArrangements(quint16 position, QString arrangement, int itemCount)
{
    appendArrangements(ps.S_Shelf, position, std::move(arrangement), itemCount);
}

void T_Form::PrepareGame(int level)
{
    p_Fr_06->setEnabled(false);
    p_Fr_12->setEnabled(false);
    ps.Pause = false;
    ResetShelfPanels(false);
    p_Fr_06->setEnabled(true);
    p_Fr_12->setEnabled(true);
    p_Komunikat->setCaption(QString());
    if (level >= 0 && level < int(ps.Time_Runda.size()))
        pb_Note->setMaximum(ps.Time_Runda[size_t(level)]);

    // A mode chosen in an earlier game carries over; the group is exclusive.
    FlatButton* const modes[] = {control<FlatButton>(QStringLiteral("sb_Mode_0")),
                                 control<FlatButton>(QStringLiteral("sb_Mode_1")),
                                 control<FlatButton>(QStringLiteral("sb_Mode_2"))};
    if (std::none_of(std::begin(modes), std::end(modes), [](const FlatButton* b) { return b && b->isDownState(); }))
        ps.N_Mode = 0;
    if (ps.N_Mode >= 0 && ps.N_Mode < 3 && modes[ps.N_Mode])
        modes[ps.N_Mode]->setDownState(true);

    // Every game reads its list afresh. A list the level cannot be dealt
    // from is refused here, before anything is built from it.
    const int items = itemsPerShelf(level);
    const QString path = ps.Base_B + listFileOf(ps.S_Fru_Weg, level);
    lb_Base->setLines(loadItemList(path));
    checkItemListForLevel(lb_Base->lines(), items, path);

    ps.S_Fruct.clear();
    for (const QString& line : lb_Base->lines())
        ps.S_Fruct += line.left(PictureCodeWidth);

    ps.S_Shelf.clear();
    BuildArrangements(1, identityArrangement(items), items);

    ApplyModeCursor();
    ResetShelfPanels(true);
    p_Fr_06->setEnabled(true);
    p_Fr_12->setEnabled(true);
}

void T_Form::DealShelves3()
{
    dealShelves(3, 6);
}

void T_Form::DealShelves4()
{
    dealShelves(4, 12);
}

void T_Form::dealShelves(int itemCount, int shelfCount)
{
    const DealPlan plan = planDeal(PhraseTables::phraseCount(ps.N_Level), itemCount, shelfCount,
                                   ps.S_Fruct, ps.S_Shelf, [this](int n) { return random(n); });
    ps.Nr_Frazy = plan.phrase;
    ps.N_Self = shelfCount;
    ps.Correct_S = plan.correctShelf;

    for (int i = 0; i < ps.N_Self; ++i) {
        const QString& order = plan.shelves[i];
        const QString pictures = shelfPictures(plan.items, order);
        if (i == ps.Correct_S) {
            assignElements(ps.TElement, plan.items, order, ps.S_Fruct);
            // Composed as soon as the matching shelf's items are known.
            ComposeDescription(ps.Nr_Frazy);
        }
        ps.T_Pic_Self[size_t(i)].Mode = 0;
        ps.T_Pic_Self[size_t(i)].Pict = pictures;
    }
    for (int i = 0; i < ps.N_Self; ++i)
        DrawShelf(i);
}
