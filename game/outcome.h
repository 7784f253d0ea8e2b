// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The outcomes that end a game, charge a mistake or change the way of
// playing. Their values are the codes the play state records in Game.State
// (the warm-up/play hint reads them).

enum class Outcome {
    TimeUp = -3,        // the round clock ran out
    Lost = -2,          // the matching shelf removed or marked for deletion
    Mistake = -1,       // a wrong shelf pointed at; the game goes on
    Abandoned = 0,      // a timed game given up for a new one
    Won = 1,
    WarmUpChosen = 2,
    TimedChosen = 3,    // timed play chosen, or a round given up for another level
};
