// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A game model with the start values of a new run, playing on a small
// content directory, with no window: the moves a pupil makes, in the words
// of the window's fixture, and what a front end would have been told.

#include "game/game_model.h"
#include "support/test_content.h"

#include <QDir>
#include <QLocale>
#include <QTemporaryDir>

class ModelFixture {
public:
    explicit ModelFixture(std::uint32_t seed = 7)
    {
        // Times read as on a Polish system, whatever the test machine's settings.
        QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
        QDir(dir.path()).mkpath(QStringLiteral("Base"));
        TestContent::writeContentDir(dir.filePath(QStringLiteral("Base")), 8);
        PlayState& state = model.state();
        state.Base_B = dir.filePath(QStringLiteral("Base/"));
        state.S_Fru_Weg = QStringLiteral("00120");
        state.Time_Runda.fill(1200);
        state.TBest.fill(121.0L);
        state.N_Level = -1;
        state.Correct_S = -1;
        state.Pause = true;
        state.Rozgrzewka = true;
        model.seedRandom(seed);
        model.setAsk([this](const QString&, const QString& caption) {
            asked << caption;
            return answer;
        });
    }

    PlayState& ps() { return model.state(); }
    int clockPosition() const { return model.clock(); }
    const QString& message() const { return model.message(); }

    // Makes a move and keeps what it changed: its last cue, its boxes.
    GameChange make(const GameChange& change)
    {
        for (const GameEffect& effect : change.effects) {
            if (effect.kind == GameEffect::PlayCue)
                lastCue = effect.value;
            if (effect.kind == GameEffect::Tell)
                told << effect.caption;
        }
        return change;
    }
    GameChange pressLevel(int level) { return make(model.pressLevel(level)); }
    GameChange toggleWarmPlay() { return make(model.switchWarmTimed()); }
    GameChange chooseMode(int mode) { return make(model.chooseMode(mode)); }
    GameChange clickShelf(int shelf) { return make(model.clickShelf(shelf)); }
    GameChange pressDelete() { return make(model.deleteMarked()); }
    void tick(int count = 1)
    {
        for (int i = 0; i < count; ++i)
            make(model.tick());
    }
    // Timed play from the start: the switch, then a level.
    void startRound(int level)
    {
        toggleWarmPlay();
        pressLevel(level);
    }
    void winByPointing()
    {
        chooseMode(GameModel::PointMode);
        clickShelf(ps().Correct_S);
    }
    // The n-th shelf (from 0) that is not the matching one.
    int wrongShelf(int n = 0)
    {
        for (int i = 0; i < ps().N_Self; ++i)
            if (i != ps().Correct_S && n-- == 0)
                return i;
        return -1;
    }

    QTemporaryDir dir;
    GameModel model;
    QStringList asked;  // the captions of the questions asked
    QStringList told;   // the captions of the boxes shown
    bool answer = true;
    int lastCue = -1;
};
