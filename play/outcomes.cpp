// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs.h"
#include "app/t_form.h"
#include "draw/description_view.h"
#include "play/ordinals.h"
#include "play/time_format.h"

#include <QProgressBar>

// Everything at the end of a game, at a mistake and at a change of the way
// of playing goes through ApplyGameState, driven by an outcome code:
//   -3 round clock run out   -2 game lost   -1 mistake, the game goes on
//    0 timed game abandoned   1 game won    2 warm-up chosen   3 timed play
//      chosen or round given up
// The 100 ms tick drives the round clock (pb_Note, in ticks) and the time of
// the game in progress.

namespace {

enum Cue { MistakeCue = 0, WonCue = 1, TimeUpCue = 2 };

constexpr int kChargeTicks = 180;         // 18 s of round clock for a mistake or an abandoned game
constexpr long double kMistakeSeconds = 30;  // added to the game's own time for a mistake
constexpr long double kTickSeconds = 0.1L;
const QColor kMistakeColor(0xFF, 0xC0, 0xCB);

}  // namespace

void T_Form::setRoundClock(int position)
{
    // QProgressBar ignores a value outside its range; the round clock clamps instead,
    // so a charge that passes the end leaves the clock full.
    pb_Note->setValue(qBound(pb_Note->minimum(), position, pb_Note->maximum()));
}

void T_Form::ApplyGameState(int code, QWidget* panel)
{
    const auto message = [this](const QString& text) { p_Komunikat->setCaption(text); };
    const auto clearDescription = [this] {
        rve_Text->Clear();
        rve_Text->Format();
    };

    switch (code) {
    case -3:
        PlayCue(TimeUpCue);
        message(QStringLiteral("Upłynął czas! Koniec rundy"));
        ps.Pause = true;
        ps.B_Round = false;
        ps.B_Game = false;
        setRoundClock(0);
        ps.TCurT = 0;
        ps.Cnt_Sedno = 0;
        // The interrupted game stays on the table and can be finished without a clock.
        break;

    case -2:
        PlayCue(MistakeCue);
        p_Fr_06->setEnabled(false);
        p_Fr_12->setEnabled(false);
        message(QStringLiteral("Pomyłka! Koniec gry"));
        HighlightMatchingShelf(-2);
        ps.B_Game = false;
        ps.Pause = true;
        ps.TCurT = 0;
        break;

    case -1:
        PlayCue(MistakeCue);
        message(QStringLiteral("Pomyłka! Graj dalej"));
        if (auto* shelf = qobject_cast<Panel*>(panel)) {
            shelf->setParentBackground(false);
            shelf->setParentColor(false);
            shelf->setColor(kMistakeColor);
        }
        if (ps.B_Round) {
            setRoundClock(pb_Note->value() + kChargeTicks);
            ps.TCurT += kMistakeSeconds;
        }
        break;

    case 0:
        ps.TCurT = 0;
        ps.B_Game = false;
        setRoundClock(pb_Note->value() + kChargeTicks);
        break;

    case 1:
        p_Fr_06->setEnabled(false);
        p_Fr_12->setEnabled(false);
        HighlightMatchingShelf(1);
        ps.B_Game = false;
        ps.Pause = true;
        if (ps.B_Round) {
            ++ps.Cnt_Sedno;
            const QString ordinal = ordinalWord(ps.Cnt_Sedno);
            PlayCue(WonCue);
            message(QStringLiteral("Dobrze! W czasie ") + formatSeconds(ps.TCurT) + QStringLiteral(" s ukończona ")
                    + ordinal + QStringLiteral(" gra tej rundy."));
            ps.TGame[ps.N_Level] = qMax(ps.TGame[ps.N_Level], ps.Cnt_Sedno);
            if (ps.TCurT > 0 && ps.TCurT < ps.TBest[ps.N_Level])
                ps.TBest[ps.N_Level] = ps.TCurT;
        } else {
            PlayCue(WonCue);
            message(QStringLiteral("Brawo! Gra zakończona"));
        }
        ps.TCurT = 0;
        ShowResults();
        if (!ps.Rozgrzewka && !ps.B_Round) {
            // A game finished after its round ran out: the player must pick a level to play on.
            Dialogs::tell(QStringLiteral("Aby rozpocząć nową rundę wybierz poziom gry 1, 2, 3, 4."),
                          QStringLiteral("Koniec rundy"));
        }
        break;

    case 2:
        setRoundClock(0);
        ps.Correct_S = -1;
        ResetShelfPanels(false);
        message(QStringLiteral("Rozgrzewka"));
        clearDescription();
        ps.Pause = true;
        ps.B_Game = false;
        ps.B_Round = false;
        ps.TCurT = 0;
        ps.Cnt_Sedno = 0;
        break;

    case 3:
        // B_Game and B_Round are the caller's: a level press sets both right afterwards.
        setRoundClock(0);
        ps.Correct_S = -1;
        ResetShelfPanels(false);
        message(QStringLiteral("Gra na czas"));
        clearDescription();
        ps.Pause = true;
        ps.TCurT = 0;
        ps.Cnt_Sedno = 0;
        break;

    default:
        break;
    }
}

void T_Form::t_GameTimer()
{
    if (ps.Rozgrzewka || ps.Pause)
        return;
    setRoundClock(pb_Note->value() + 1);
    ps.TCurT += kTickSeconds;
    if (pb_Note->value() == pb_Note->maximum()) {
        ps.Game.State = -3;
        ApplyGameState(-3);
    }
}
