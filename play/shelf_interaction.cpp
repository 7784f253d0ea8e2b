// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/t_form.h"

// What a click on a shelf does in each interaction mode, and the delete
// button that removes all marked shelves at once. Every decisive action ends
// in an outcome code carried out by ApplyGameState.

namespace {

enum Mode { RemoveMode = 0, PointMode = 1, MarkMode = 2 };

}  // namespace

void T_Form::sb_Mode_Click(QWidget* sender)
{
    // The marks of mode 2 survive a change of mode.
    ps.N_Mode = tagOf(sender);
    ApplyModeCursor();
}

void T_Form::p_Nr_MouseDown(QWidget* sender, Qt::MouseButton button, ShiftState, int, int)
{
    if (button != Qt::LeftButton || !sender)
        return;
    // A finished game disables the frames, which already keeps mouse presses
    // away; a call from elsewhere obeys the same rule.
    if (!sender->isEnabled() || ps.Correct_S < 0)
        return;
    const int shelf = tagOf(sender) - ps.T_Level;
    if (shelf < 0 || shelf >= ps.N_Self)
        return;

    switch (ps.N_Mode) {
    case RemoveMode:
        if (shelf != ps.Correct_S) {
            sender->hide();
            if (CountVisibleShelves() == 1) {
                ps.Game.State = 1;
                ApplyGameState(1);
            }
        } else {
            // The matching shelf chosen for removal: lost, and it stays on the table.
            ps.Game.State = -2;
            ApplyGameState(-2);
        }
        break;
    case PointMode:
        if (shelf == ps.Correct_S) {
            ps.Game.State = 1;
            ApplyGameState(1);
        } else {
            ps.Game.State = -1;
            ApplyGameState(-1, sender);
        }
        break;
    case MarkMode: {
        std::uint8_t& mark = ps.T_Pic_Self[shelf].Mode;
        mark = mark == 0 ? 1 : 0;
        DrawShelf(shelf);
        break;
    }
    default:
        break;
    }
}

void T_Form::i_MouseDown(QWidget* sender, Qt::MouseButton button, ShiftState shift, int x, int y)
{
    // A click on an item is a click on its shelf.
    if (sender)
        p_Nr_MouseDown(sender->parentWidget(), button, shift, x, y);
}

void T_Form::sb_DeleteClick()
{
    Panel* frame = currentFrame();
    if (!frame || !frame->isEnabled() || ps.Correct_S < 0)
        return;  // the game is over, or none is on the table

    const int shelves = qBound(0, ps.N_Self, int(ps.T_Pic_Self.size()));
    // A marked matching shelf loses the game before anything is removed.
    for (int i = 0; i < shelves; ++i) {
        if (ps.T_Pic_Self[i].Mode != 0 && i == ps.Correct_S) {
            ps.Game.State = -2;
            ApplyGameState(-2);
            return;
        }
    }

    const QList<Panel*> panels = shelfPanelsOfCurrentFrame();
    for (int i = 0; i < shelves; ++i) {
        if (ps.T_Pic_Self[i].Mode == 0)
            continue;
        for (Panel* panel : panels)
            if (tagOf(panel) == ps.T_Level + i)
                panel->hide();
    }

    if (CountVisibleShelves() == 1) {
        ps.Game.State = 1;
        ApplyGameState(1);
    }
}
