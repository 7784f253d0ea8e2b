// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs.h"
#include "app/t_form.h"

// The handlers of the controls that play: each turns its event into a move
// of the game and shows what the move changed. The rules are the model's;
// nothing here decides anything.

template <class MakeMove>
void T_Form::perform(MakeMove&& makeMove)
{
    try {
        showChange(makeMove());
    } catch (...) {
        showChange(game.takeAbandoned());
        throw;
    }
}

void T_Form::Etap_Click(QWidget* sender)
{
    try {
        perform([&] { return game.pressLevel(tagOf(sender)); });
    } catch (...) {
        // The guard shows the error box; the table must not keep a game half dealt.
        showChange(game.failedDeal());
        throw;
    }
}

void T_Form::tb_Warm_PlayClick()
{
    perform([&] { return game.switchWarmTimed(); });
}

void T_Form::sb_Mode_Click(QWidget* sender)
{
    perform([&] { return game.chooseMode(tagOf(sender)); });
}

void T_Form::p_Nr_MouseDown(QWidget* sender, Qt::MouseButton button, ShiftState, int, int)
{
    if (button != Qt::LeftButton || !sender)
        return;
    // A shelf panel of another level's frame is none of the game on the table.
    const int base = tagOf(sender) >= 200 ? 200 : 100;
    if (base != ps.T_Level || !sender->isEnabled())
        return;
    chooseShelf(tagOf(sender) - ps.T_Level);
}

void T_Form::i_MouseDown(QWidget* sender, Qt::MouseButton button, ShiftState shift, int x, int y)
{
    // A click on an item is a click on its shelf.
    if (sender)
        p_Nr_MouseDown(sender->parentWidget(), button, shift, x, y);
}

void T_Form::chooseShelf(int shelf)
{
    perform([&] { return game.clickShelf(shelf); });
}

void T_Form::sb_DeleteClick()
{
    perform([&] { return game.deleteMarked(); });
}

void T_Form::t_GameTimer()
{
    perform([&] { return game.tick(); });
}

void T_Form::BuildArrangements(quint16 position, QString arrangement, int itemCount)
{
    game.BuildArrangements(position, std::move(arrangement), itemCount);
}

void T_Form::PrepareGame(int level)
{
    perform([&] { return game.PrepareGame(level); });
}

void T_Form::DealShelves3()
{
    perform([&] { return game.DealShelves3(); });
}

void T_Form::DealShelves4()
{
    perform([&] { return game.DealShelves4(); });
}

void T_Form::ApplyGameState(int code, QWidget* panel)
{
    if (code < int(Outcome::TimeUp) || code > int(Outcome::TimedChosen))
        return;
    const int shelf = qobject_cast<Panel*>(panel) ? tagOf(panel) - ps.T_Level : -1;
    perform([&] { return game.ApplyGameState(Outcome(code), shelf); });
}

void T_Form::ResetShelfPanels(bool value)
{
    perform([&] { return game.ResetShelfPanels(value); });
}

void T_Form::HighlightMatchingShelf(int code)
{
    ShelfLook look;
    switch (code) {
    case -5: look = ShelfLook::Revealed; break;
    case -4: look = ShelfLook::Plain; break;
    case -2: look = ShelfLook::Lost; break;
    case 1: look = ShelfLook::Won; break;
    default: return;
    }
    perform([&] { return game.HighlightMatchingShelf(look); });
}
