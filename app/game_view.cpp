// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cursors.h"
#include "app/dialogs.h"
#include "app/t_form.h"
#include "draw/description_view.h"

#include <QColor>
#include <QProgressBar>
#include <utility>

// What a move of the game changed, shown on the controls one effect after
// another in the order the game made them: the shelf panels of a level's
// frame (reset, removed, coloured, drawn), the frames, the message bar, the
// round clock, the mode buttons and cursors, the description, the results.

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

QColor colourOf(ShelfLook look)
{
    switch (look) {
    case ShelfLook::Mistaken: return QColor(0xFF, 0xC0, 0xCB);
    case ShelfLook::Revealed: return QColor(0xFF, 0xFF, 0x00);
    case ShelfLook::Lost: return QColor(0xFF, 0x00, 0x00);
    case ShelfLook::Won: return QColor(0x00, 0xFF, 0x00);
    case ShelfLook::Plain: break;
    }
    return kShelfColor;
}

// The high-contrast view's: each at least 5:1 against the light row around
// the shelf, so the band of colour round the tiles stands out; the mark
// beside the shelf tells the states apart without their colour.
QColor contrastColourOf(ShelfLook look)
{
    switch (look) {
    case ShelfLook::Mistaken: return QColor(0xC2, 0x18, 0x5B);
    case ShelfLook::Revealed: return QColor(0x7A, 0x5C, 0x00);
    case ShelfLook::Lost: return QColor(0xB0, 0x00, 0x00);
    case ShelfLook::Won: return QColor(0x00, 0x6B, 0x1E);
    case ShelfLook::Plain: break;
    }
    return kShelfColor;
}

}  // namespace

QColor T_Form::shelfColour(ShelfLook look) const
{
    return highContrastOn ? contrastColourOf(look) : colourOf(look);
}

Panel* T_Form::frameOf(int level) const
{
    // Before the first level (N_Level -1) the twelve-shelf frame is the current one.
    return level == 0 ? p_Fr_06 : p_Fr_12;
}

QList<Panel*> T_Form::shelfPanelsOf(int level) const
{
    QList<Panel*> shelves;
    Panel* frame = frameOf(level);
    if (!frame)
        return shelves;
    for (Panel* row : frame->findChildren<Panel*>(Qt::FindDirectChildrenOnly))
        shelves.append(row->findChildren<Panel*>(Qt::FindDirectChildrenOnly));
    return shelves;
}

Panel* T_Form::shelfPanel(int level, int shelf) const
{
    const int tag = (level == 0 ? 100 : 200) + shelf;
    for (Panel* panel : shelfPanelsOf(level))
        if (tagOf(panel) == tag)
            return panel;
    return nullptr;
}

void T_Form::resetShelfPanelsOf(int level, bool value)
{
    Panel* frame = frameOf(level);
    if (!frame)
        return;
    const int width = level == 0 ? kWideShelf : kNarrowShelf;
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
    for (Panel* shelf : shelfPanelsOf(ps.N_Level))
        shelf->setCursor(cursor);
}

void T_Form::showChange(const GameChange& change)
{
    // A box waits for the player: what came before it is told first.
    GameChange shown;
    for (const GameEffect& effect : change.effects) {
        if (effect.kind == GameEffect::Tell && !shown.isEmpty())
            emit changeShown(std::exchange(shown, {}));
        showEffect(effect);
        shown.effects.append(effect);
    }
    if (!shown.isEmpty())
        emit changeShown(shown);
}

void T_Form::showEffect(const GameEffect& effect)
{
    switch (effect.kind) {
    case GameEffect::EnableFrames:
        p_Fr_06->setEnabled(effect.value != 0);
        p_Fr_12->setEnabled(effect.value != 0);
        break;
    case GameEffect::ShowFrameOfLevel:
        p_Fr_06->setVisible(effect.level == 0);
        p_Fr_12->setVisible(effect.level != 0);
        break;
    case GameEffect::LayShelves:
        resetShelfPanelsOf(effect.level, effect.value != 0);
        break;
    case GameEffect::RemoveShelf:
        if (Panel* shelf = shelfPanel(effect.level, effect.shelf))
            shelf->hide();
        break;
    case GameEffect::ColourShelf:
        if (Panel* shelf = shelfPanel(effect.level, effect.shelf)) {
            giveOwnBackground(shelf);
            shelf->setColor(shelfColour(ShelfLook(effect.value)));
        }
        break;
    case GameEffect::DrawShelf:
        DrawShelf(effect.shelf);
        break;
    case GameEffect::ShowMode:
        if (auto* mode = control<FlatButton>(QStringLiteral("sb_Mode_%1").arg(effect.value)))
            mode->setDownState(true);
        break;
    case GameEffect::ShowModeCursor:
        ApplyModeCursor();
        break;
    case GameEffect::ShowMessage:
        p_Komunikat->setCaption(effect.text);
        break;
    case GameEffect::ShowClock:
        pb_Note->setValue(effect.value);
        break;
    case GameEffect::ShowClockMaximum:
        pb_Note->setMaximum(effect.value);
        break;
    case GameEffect::ShowItemList:
        lb_Base->setLines(game.itemLines());
        break;
    case GameEffect::ShowDescription:
        ComposeDescription();
        break;
    case GameEffect::ClearDescription:
        rve_Text->Clear();
        rve_Text->Format();
        break;
    case GameEffect::ShowResults:
        ShowResults();
        break;
    case GameEffect::ShowWarmTimed:
        p_Warm->setVisible(ps.Rozgrzewka);
        p_Play->setVisible(!ps.Rozgrzewka);
        tb_Warm_Play->setDownState(!ps.Rozgrzewka);
        break;
    case GameEffect::RestoreLevelButton:
        // The exclusive group already moved down to the pressed button.
        if (auto* previous = control<FlatButton>(QStringLiteral("sb_Level_%1").arg(ps.N_Level)))
            previous->setDownState(true);
        break;
    case GameEffect::PlayCue:
        PlayCue(effect.value);
        break;
    case GameEffect::Tell:
        Dialogs::tell(effect.text, effect.caption);
        break;
    }
}
