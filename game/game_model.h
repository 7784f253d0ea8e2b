// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game without its window: the play state, the facts of the table
// (which shelves are on it, how they look, whether the game is decided, the
// round clock, the loaded item list, the description), the random source,
// and the moves that change them. Every front end goes through the same
// moves: the window turns mouse presses and keys into them, the screen
// reader's actions too, and each move returns what it changed for the
// window to show. Questions to the player go through an injected callback.

#include "game/game_change.h"
#include "game/outcome.h"
#include "game/play_state.h"
#include "puzzle/description_pieces.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>
#include <random>

class GameModel {
public:
    // Asks the player a yes/no question under a caption; true for yes.
    // The clock goes on while it waits: ticks may arrive meanwhile.
    using Ask = std::function<bool(const QString& text, const QString& caption)>;

    static constexpr int MaxShelves = 12;
    enum Mode { RemoveMode = 0, PointMode = 1, MarkMode = 2 };

    explicit GameModel(Ask ask = {});
    void setAsk(Ask ask) { askPlayer = std::move(ask); }

    PlayState& state() { return ps; }
    const PlayState& state() const { return ps; }

    // The single pseudo-random source: a uniform integer in 0 .. n - 1.
    int random(int n);
    void seedRandom(std::uint32_t seed) { rng.seed(seed); }

    // ---- moves
    GameChange pressLevel(int level);          // a level button
    GameChange chooseMode(int mode);           // a mode button
    GameChange clickShelf(int shelf);          // the left button on a shelf or one of its items
    GameChange deleteMarked();                 // the delete button
    GameChange switchWarmTimed();              // the warm-up/timed switch
    GameChange tick();                         // 100 ms of the round clock
    GameChange presenterPress(bool ctrlLeftAlone);     // a press on a badge while presenting
    GameChange presenterRelease(bool ctrlLeftReleased);
    // After a deal that failed (an exception from a move or from showing
    // it): the effects the failed move had made so far, then a table with no
    // game on it. A round that the failed press began never started.
    GameChange failedDeal();
    // Effects of a move cut short by an exception, not yet shown.
    GameChange takeAbandoned();

    // ---- the routines the moves are made of, for front ends and tests
    GameChange PrepareGame(int level);
    GameChange DealShelves3();
    GameChange DealShelves4();
    GameChange ApplyGameState(Outcome outcome, int shelf = -1);
    GameChange ResetShelfPanels(bool value);
    GameChange HighlightMatchingShelf(ShelfLook look);
    void BuildArrangements(quint16 position, QString arrangement, int itemCount);

    // ---- questions every front end asks
    bool gameOnTable() const { return ps.Correct_S >= 0; }
    // The frame of the current level holds 6 shelves on level 1, else 12.
    int frameShelfCount() const { return frameShelfCount(ps.N_Level); }
    static int frameShelfCount(int level) { return level == 0 ? 6 : 12; }
    bool onTable(int shelf) const;
    int CountVisibleShelves() const;
    bool marked(int shelf) const;
    bool matches(int shelf) const { return gameOnTable() && shelf == ps.Correct_S; }
    // The game on the table is won or lost: its shelves take no clicks.
    bool decided() const { return gameOnTable() && !table.framesEnabled; }
    bool takesClicks() const { return table.framesEnabled; }
    // The item list file a level deals from, in the set being played.
    QString listPathOf(int level) const;
    ShelfLook look(int shelf) const;
    // The picture codes of a shelf's items in slot order; empty with no game.
    QStringList shelfCodes(int shelf) const;
    const QStringList& itemLines() const { return table.lines; }
    // The description of the game on the table: pieces on the picture
    // levels, words on the others.
    const QList<DescriptionPiece>& descriptionPieces() const { return table.pieces; }
    const QString& descriptionWords() const { return table.words; }
    // The description on the table as it is spoken (see spokenDescription);
    // `nameOf` names a picture whose list line carries no forms.
    QString spokenDescription(const std::function<QString(const QString& pictureCode)>& nameOf) const;
    const QString& message() const { return table.message; }
    int clock() const { return table.clock; }
    int clockMaximum() const { return table.clockMax; }

private:
    struct Table {
        bool laid = false;                       // the rows of the current frame are shown
        std::array<bool, MaxShelves> onTable{};  // per shelf of the current frame
        std::array<ShelfLook, MaxShelves> looks{};
        bool framesEnabled = true;
        int clock = 0;
        int clockMax = 6;                        // until the first game sets a round's length
        QStringList lines;
        QList<DescriptionPiece> pieces;
        QString words;
        QString message;
    };

    class Move;

    void effect(GameEffect::Kind kind, int value = 0);
    void shelfEffect(GameEffect::Kind kind, int shelf, int value = 0);
    void setMessage(const QString& text);
    void setClock(int ticks);
    void playCue(int cue);
    void enableFrames(bool on);
    void layShelves(bool value);
    void removeShelf(int shelf);
    void setLook(int shelf, ShelfLook look);
    void clearDescription();
    void composeDescription(int phrase);
    void prepareGame(int level);
    void dealShelves(int itemCount, int shelfCount);
    void applyOutcome(Outcome outcome, int shelf);
    void showMatching(ShelfLook look);

    // The named outcomes, one place each for their effects.
    void timeUp();
    void lose();
    void mistake(int shelf);
    void abandon();
    void win();
    void clearTable(const QString& message);
    void chooseWarmUp();
    void chooseTimed();

    PlayState ps;
    Table table;
    std::mt19937 rng;
    Ask askPlayer;
    QList<GameEffect> pending;    // the effects of the move being made
    QList<GameEffect> abandoned;  // of a move an exception cut short
    bool roundStartedByLastPress = false;
};
