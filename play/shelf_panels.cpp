// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cursors.h"
#include "app/t_form.h"

#include <QColor>

// The operations every part of the play shares on the shelf panels of the
// current level: reset and show or hide them, give them the mode's cursor,
// count those on the table and colour the matching one.

namespace {

const QColor kShelfColor(0x80, 0x40, 0x40);
constexpr int kWideShelf = 250;    // the three large shelves of a level-1 row
constexpr int kNarrowShelf = 200;  // the shelves of four items on levels 2 to 4
constexpr int kFirstModeCursor = 150;

// The panel paints its own colour, neither its parent's background nor its colour.
void giveOwnBackground(Panel* panel)
{
    panel->setParentBackground(false);
    panel->setParentColor(false);
}

}  // namespace

Panel* T_Form::currentFrame() const
{
    // Before the first level (N_Level -1) the twelve-shelf frame is the current one.
    return ps.N_Level == 0 ? p_Fr_06 : p_Fr_12;
}

QList<Panel*> T_Form::shelfPanelsOfCurrentFrame() const
{
    QList<Panel*> shelves;
    Panel* frame = currentFrame();
    if (!frame)
        return shelves;
    for (Panel* row : frame->findChildren<Panel*>(Qt::FindDirectChildrenOnly))
        shelves.append(row->findChildren<Panel*>(Qt::FindDirectChildrenOnly));
    return shelves;
}

void T_Form::ResetShelfPanels(bool value)
{
    Panel* frame = currentFrame();
    if (!frame)
        return;
    const int width = ps.N_Level == 0 ? kWideShelf : kNarrowShelf;
    for (Panel* row : frame->findChildren<Panel*>(Qt::FindDirectChildrenOnly)) {
        row->setVisible(value);
        for (Panel* shelf : row->findChildren<Panel*>(Qt::FindDirectChildrenOnly)) {
            shelf->setVisible(value);
            shelf->setEnabled(true);
            giveOwnBackground(shelf);
            shelf->resize(width, shelf->height());
            shelf->setColor(kShelfColor);
        }
    }
}

void T_Form::ApplyModeCursor()
{
    // Only the shelves carry the mode's cursor; their item images keep the
    // default one and so show the cursor of the shelf beneath.
    const QCursor cursor = registeredCursor(kFirstModeCursor + ps.N_Mode);
    for (Panel* shelf : shelfPanelsOfCurrentFrame())
        shelf->setCursor(cursor);
}

int T_Form::CountVisibleShelves()
{
    // A shelf is on the table while its own visibility is set, whether or
    // not its row (or the window) is shown at the moment.
    int count = 0;
    for (const Panel* shelf : shelfPanelsOfCurrentFrame())
        if (!shelf->isHidden())
            ++count;
    return count;
}

void T_Form::HighlightMatchingShelf(int code)
{
    if (ps.Correct_S < 0)
        return;  // no game on the table, so no matching shelf to colour
    Panel* matching = nullptr;
    for (Panel* shelf : shelfPanelsOfCurrentFrame()) {
        if (tagOf(shelf) - ps.T_Level == ps.Correct_S) {
            matching = shelf;
            break;
        }
    }
    if (!matching)
        return;
    giveOwnBackground(matching);
    switch (code) {
    case -5: matching->setColor(QColor(0xFF, 0xFF, 0x00)); break;  // presenter shows it
    case -4: matching->setColor(kShelfColor); break;               // presenter hides it again
    case -2: matching->setColor(QColor(0xFF, 0x00, 0x00)); break;  // game lost
    case 1: matching->setColor(QColor(0x00, 0xFF, 0x00)); break;   // game won
    default: break;
    }
}
