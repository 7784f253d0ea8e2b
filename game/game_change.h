// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a move of the game changed, for a front end to show: an ordered list
// of effects, each naming one thing on screen that follows the game (a
// shelf taken off the table, the message, the clock, a cue …). The order is
// the order in which the game made them, so a front end that shows them one
// by one shows every intermediate step as the game went through it.

#include <QList>
#include <QString>

// How a shelf looks on the table: its colour follows the game.
enum class ShelfLook {
    Plain,     // as dealt
    Mistaken,  // pointed at wrongly
    Revealed,  // the presenter shows the matching shelf
    Lost,      // the matching shelf of a lost game
    Won,       // the matching shelf of a won game
};

struct GameEffect {
    enum Kind {
        EnableFrames,        // flag: the shelves take clicks (false once a game is decided)
        ShowFrameOfLevel,    // the frame of the current level shown, the other hidden
        LayShelves,          // flag: every shelf of `level`'s frame put on the table (true) or taken off
        RemoveShelf,         // `shelf` of `level` taken off the table
        ColourShelf,         // `shelf` of `level` changed its look
        DrawShelf,           // `shelf` of `level` to be drawn again (dealt, marked or unmarked)
        ShowMode,            // the button of the current mode pressed down
        ShowModeCursor,      // the shelves of `level` take the current mode's cursor
        ShowMessage,         // `text` in the message bar
        ShowClock,           // the round clock at `value` ticks
        ShowClockMaximum,    // the round clock's full length is `value` ticks
        ShowItemList,        // the item list of the game was read anew
        ShowDescription,     // the description of the matching shelf was composed
        ClearDescription,    // no description
        ShowResults,         // the best results changed
        ShowWarmTimed,       // the warm-up/timed switch and its panels follow the chosen way of playing
        RestoreLevelButton,  // the level button of the current level pressed down again
        PlayCue,             // sound cue `value`: 0 mistake, 1 won game, 2 time up
        Tell,                // a box with `text` under `caption`, shown after everything before it
    };
    Kind kind;
    int value = 0;   // flag, ticks or cue
    int level = -1;  // the level whose frame a shelf effect concerns
    int shelf = -1;
    QString text{};
    QString caption{};
    bool operator==(const GameEffect&) const = default;
};

struct GameChange {
    QList<GameEffect> effects;

    bool isEmpty() const { return effects.isEmpty(); }
    bool has(GameEffect::Kind kind) const
    {
        for (const GameEffect& effect : effects)
            if (effect.kind == kind)
                return true;
        return false;
    }
    // The last effect of that kind; nullptr when there is none.
    const GameEffect* last(GameEffect::Kind kind) const
    {
        for (auto it = effects.crbegin(); it != effects.crend(); ++it)
            if (it->kind == kind)
                return &*it;
        return nullptr;
    }
};
