// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/hints.h"
#include "app/t_form.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>
#include <array>

// The sound switch and the three cues, the badges' hint timing, and the
// presenter functions that exist only while the marker file Work/A.txt is
// there (looked for anew at every press, release and logo click).

namespace {

constexpr int kBadgeHintPause = 50000;  // long enough to read the project's text
constexpr int kAfterBadgeHintPause = 2500;

// Cue 0 a mistake, 1 a won game, 2 the round clock run out.
const std::array<const char*, 3> kCueFiles = {"A.wv", "B.wv", "C.wv"};

}  // namespace

bool T_Form::presenterOn() const
{
    return QFileInfo::exists(ps.Base_W + QStringLiteral("A.txt"));
}

void T_Form::tb_Sound_Click()
{
    // A button down means sound off; both buttons always show the same state.
    ps.B_Sound = !ps.B_Sound;
    tb_Sound_1->setDownState(!ps.B_Sound);
    tb_Sound_2->setDownState(!ps.B_Sound);
}

void T_Form::PlayCue(int cue)
{
    if (!ps.B_Sound || cue < 0 || cue >= int(kCueFiles.size()))
        return;
    const QString file = ps.Base_B + QLatin1String(kCueFiles[cue]);
    if (!cuePlayer)
        cuePlayer = new QSoundEffect(this);
    // A new cue replaces one still playing.
    cuePlayer->stop();
    // A cue file gone since start-up is not worth an error: the game goes on in silence.
    if (!QFileInfo::exists(file))
        return;
    cuePlayer->setSource(QUrl::fromLocalFile(file));
    cuePlayer->play();
    lastCueStarted = cue;
    ++cueStartCount;
}

void T_Form::i_Projekt_MouseDown(QWidget*, Qt::MouseButton button, ShiftState shift, int, int)
{
    if (!presenterOn() || ps.Correct_S < 0)
        return;
    // In warm-up any press shows the matching shelf; in timed play only
    // Ctrl with the left button alone, so a pupil does not find it by chance.
    const bool ctrlLeft = button == Qt::LeftButton && shift.keys == Qt::ControlModifier
                          && shift.buttons == Qt::MouseButtons(Qt::LeftButton);
    if (ps.Rozgrzewka || ctrlLeft)
        HighlightMatchingShelf(-5);
}

void T_Form::i_Projekt_MouseUp(QWidget*, Qt::MouseButton button, ShiftState shift, int, int)
{
    if (!presenterOn() || ps.Correct_S < 0)
        return;
    if (button == Qt::LeftButton && shift.keys == Qt::ControlModifier && shift.buttons == Qt::NoButton)
        HighlightMatchingShelf(-4);
}

void T_Form::i_Projekt_MouseMove(QWidget*, ShiftState, int, int)
{
    setHintHidePause(kBadgeHintPause);
}

void T_Form::i_Projekt_MouseLeave(QWidget*)
{
    setHintHidePause(kAfterBadgeHintPause);
}

void T_Form::i_LogoClick()
{
    if (presenterOn())
        close();
}
