// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The play state: the single record of all game state, owned by the main
// window for the whole run. Field names are the game's own (many Polish);
// every field starts at its zero value and FormCreate gives it its start value.

#include <QString>
#include <array>
#include <cstdint>

// One shelf of the current game.
struct R_Self {
    std::uint8_t Mode = 0;   // 1 = marked for deletion
    QString Pict;            // picture codes of the shelf's items in slot order, 5 characters each
};

// The outcome code most recently raised (-3 .. 3, see game/outcome.h).
struct R_Game {
    std::int32_t State = 0;
};

struct PlayState {
    QString Base_S;                    // program directory, with trailing separator
    QString Base_B;                    // content directory Base_S + "Base/"
    QString Base_W;                    // work directory Base_S + "Work/"
    bool B_Sound = false;
    bool Miss_Base = false;
    bool Miss_LCD = false;
    bool Miss_Resolution = false;
    QString S_Fru_Weg;                 // item list per level: '0' F.tx, '1' G.tx, '2' H.tx
    std::int32_t I_Limit = 0;
    std::array<std::int32_t, 5> Time_Runda{};  // round length per level, in 100 ms ticks
    R_Game Game;
    bool Rozgrzewka = false;           // warm-up selected
    bool B_Game = false;               // a timed game is in progress
    bool B_Round = false;              // a timed round is in progress
    std::int32_t N_Level = 0;          // -1 before the first level, else 0..3
    std::int32_t N_Self = 0;           // shelves in the current game: 6 or 12
    std::int32_t T_Level = 0;          // tag base of the current shelf panels: 100 or 200
    std::int32_t Correct_S = 0;        // index of the matching shelf, -1 when none
    QString S_Fruct;                   // picture codes of every list line, 5 characters each
    QString S_Shelf;                   // pool of arrangements of the current level
    std::int32_t Nr_Frazy = 0;         // phrase of the current description
    std::array<std::int32_t, 5> TElement{};    // list line of the item in each slot of the matching shelf
    std::array<R_Self, 12> T_Pic_Self{};       // the shelves of the current game
    std::int32_t N_Mode = 0;           // 0 remove, 1 point, 2 mark
    std::int32_t Cnt_Sedno = 0;        // games completed in the current round
    std::int32_t Cnt_Skuch = 0;
    std::array<std::int32_t, 5> TGame{};       // per level: most games completed in one round
    long double TCurT = 0;             // seconds taken so far in the current timed game
    std::array<long double, 5> TBest{};        // per level: shortest won game; 121.0 = none yet
    bool Pause = false;                // the round clock stands still
};
