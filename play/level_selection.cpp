// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs.h"
#include "app/t_form.h"
#include "draw/description_view.h"

// The level buttons and the warm-up/timed toggle: the only controls that
// start a game or change the way of playing. A running timed game or round
// is given up only after the player confirms it.

namespace {

constexpr int kLevelCount = 4;

}  // namespace

void T_Form::Etap_Click(QWidget* sender)
{
    const int level = tagOf(sender);
    if (level < 0 || level >= kLevelCount)
        return;
    const bool sameLevel = level == ps.N_Level;

    if (ps.B_Game && sameLevel) {
        if (!Dialogs::ask(QStringLiteral("Czy chcesz zrezygnować z tej gry."),
                          QStringLiteral("Rezygnacja z kontynuowania tej gry")))
            return;
        // The clock runs on while the question waits. If the round ran out
        // meanwhile there is no timed game left to abandon, and charging it
        // would start the next round with 18 seconds already gone.
        if (ps.B_Game) {
            ps.Game.State = 0;
            ApplyGameState(0);
        }
    }

    if (ps.B_Round && !sameLevel) {
        if (!Dialogs::ask(QStringLiteral("Czy chcesz zrezygnować z gry na tym poziomie i rozpocząć nową rundę."),
                          QStringLiteral("Rezygnacja z kontynuowania rundy"))) {
            // The exclusive group already moved down to the pressed button; the round goes on.
            if (auto* previous = control<FlatButton>(QStringLiteral("sb_Level_%1").arg(ps.N_Level)))
                previous->setDownState(true);
            return;
        }
        ps.Game.State = 3;
        ApplyGameState(3);
    }

    // A press in timed play either goes on with the round of this level or starts a new one.
    const bool startsRound = !ps.Rozgrzewka && !(ps.B_Round && sameLevel);
    if (!ps.Rozgrzewka) {
        ps.B_Game = true;
        ps.B_Round = true;
    }

    ps.N_Level = level;
    ps.T_Level = level == 0 ? 100 : 200;

    try {
        PrepareGame(ps.N_Level);

        p_Fr_06->setVisible(ps.N_Level == 0);
        p_Fr_12->setVisible(ps.N_Level != 0);

        if (ps.N_Level == 0)
            DealShelves3();
        else
            DealShelves4();
    } catch (...) {
        // The guard shows the error box; the table must not keep a game half dealt.
        clearFailedDeal(startsRound);
        throw;
    }
}

void T_Form::clearFailedDeal(bool roundStartedHere)
{
    // No game is in progress: the clock stands still, nothing is charged
    // later, and the next level press deals without a question. A round that
    // was running before the press goes on between games; one this press
    // began never started.
    ps.B_Game = false;
    if (roundStartedHere)
        ps.B_Round = false;
    ps.Pause = true;
    ps.TCurT = 0;
    ps.Correct_S = -1;

    // Nothing of this or another game stays on the table.
    p_Fr_06->setVisible(ps.N_Level == 0);
    p_Fr_12->setVisible(ps.N_Level != 0);
    ResetShelfPanels(false);
    rve_Text->Clear();
    rve_Text->Format();
}

void T_Form::tb_Warm_PlayClick()
{
    if (!ps.Rozgrzewka && ps.B_Round) {
        if (!Dialogs::ask(QStringLiteral("Czy chcesz zrezygnować z gry na czas."), QStringLiteral("Gra na czas"))) {
            tb_Warm_Play->setDownState(true);
            return;
        }
    }

    const bool warmUp = !tb_Warm_Play->isDownState();
    p_Warm->setVisible(warmUp);
    p_Play->setVisible(!warmUp);
    ps.Rozgrzewka = warmUp;

    const int code = warmUp ? 2 : 3;
    ps.Game.State = code;
    ApplyGameState(code);
}
