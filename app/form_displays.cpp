// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/result_format.h"
#include "app/t_form.h"

// The window's own displays, kept in step with the play state: the help
// overlay, the results panel and its values, the warm-up/play hint.

namespace {

// Hint of the warm-up/play switch: what the button would do, or, while a
// game is on (mistake, warm-up or timed play just chosen), what is running.
QString warmPlayHint(int gameState, bool timedPlaySelected)
{
    switch (gameState) {
    case -3:
    case -2:
    case 0:
    case 1:
        return timedPlaySelected ? QStringLiteral("Przejdź do ROZGRZEWKI") : QStringLiteral("Przejdź do ROZGRYWKI");
    default:
        return timedPlaySelected ? QStringLiteral("Trwa ROZGRYWKA") : QStringLiteral("Trwa ROZGRZEWKA");
    }
}

}  // namespace

void T_Form::_HelpClick()
{
    _Help->setVisible(_Help->isHidden());
    if (_Help->isVisibleTo(this))
        _Help->raise();
    else
        _Help->lower();
}

void T_Form::HideResultClick()
{
    p_Result_2->setVisible(p_Result_2->isHidden());
    p_Play->setCaption(p_Result_2->isHidden() ? QStringLiteral("Kliknij, aby zobaczyć wyniki")
                                              : QStringLiteral("Kliknij, aby ukryć wyniki"));
}

void T_Form::ShowResults()
{
    for (int k = 0; k < 4; ++k) {
        control<Panel>(QStringLiteral("p_%1_G").arg(k + 1))->setCaption(formatGameCount(ps.TGame[k]));
        control<Panel>(QStringLiteral("p_%1_T").arg(k + 1))->setCaption(formatBestTime(ps.TBest[k]));
    }
}

void T_Form::UpdateWarmPlayHint()
{
    // Runs for every event of the application: only touch the button when
    // the hint really changes.
    if (!tb_Warm_Play)
        return;
    const QString hint = warmPlayHint(ps.Game.State, tb_Warm_Play->isChecked());
    if (tb_Warm_Play->toolTip() != hint)
        tb_Warm_Play->setToolTip(hint);
}
