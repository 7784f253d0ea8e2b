// SPDX-License-Identifier: GPL-3.0-or-later
// Guards the round clock driven by the 100 ms tick: it runs only while a
// timed game is played, carries over between the games of a round, clamps
// at its end when a charge passes it, and ends the round on the tick that
// fills it, never earlier and never later. The game model alone: no window.

#include "model_fixture.h"

#include <QtTest>

class TestRoundClock : public QObject {
    Q_OBJECT

private slots:
    void standsStillOutsideATimedGame()
    {
        ModelFixture f;
        f.tick(20);  // no level yet
        QCOMPARE(f.clockPosition(), 0);
        f.pressLevel(2);  // warm-up game
        f.tick(300);
        QCOMPARE(f.clockPosition(), 0);
        QCOMPARE(f.ps().TCurT, 0.0L);
        f.toggleWarmPlay();  // timed play, no round yet
        f.tick(300);
        QCOMPARE(f.clockPosition(), 0);
        QCOMPARE(f.ps().TCurT, 0.0L);
    }

    void runsWithTheGameAndCarriesOverTheRound()
    {
        ModelFixture f;
        f.startRound(0);
        QCOMPARE(f.model.clockMaximum(), 1200);
        f.tick(37);
        QCOMPARE(f.clockPosition(), 37);
        QVERIFY(qAbs(f.ps().TCurT - 3.7L) < 1e-9L);
        f.winByPointing();
        f.pressLevel(0);
        // The game's time starts again; the round's clock does not.
        QCOMPARE(f.clockPosition(), 37);
        QCOMPARE(f.ps().TCurT, 0.0L);
        f.tick(3);
        QCOMPARE(f.clockPosition(), 40);
        QVERIFY(qAbs(f.ps().TCurT - 0.3L) < 1e-9L);
    }

    void theFillingTickEndsTheRound()
    {
        ModelFixture f;
        f.startRound(3);
        f.tick(1199);
        QVERIFY(f.ps().B_Round);
        QCOMPARE(f.ps().Game.State, 3);
        QCOMPARE(f.lastCue, -1);
        f.tick();
        QCOMPARE(f.ps().Game.State, -3);
        QCOMPARE(f.message(), QStringLiteral("Upłynął czas! Koniec rundy"));
        QCOMPARE(f.lastCue, 2);
        QVERIFY(!f.ps().B_Round);
        QVERIFY(!f.ps().B_Game);
        QVERIFY(f.ps().Pause);
        QCOMPARE(f.clockPosition(), 0);
        QCOMPARE(f.ps().TCurT, 0.0L);
        // The shelves of the interrupted game stay on the table, still taking clicks.
        QCOMPARE(f.model.CountVisibleShelves(), 12);
        QVERIFY(f.model.takesClicks());
        f.tick(50);
        QCOMPARE(f.clockPosition(), 0);
    }

    void aMistakeNearTheEndFillsTheClock_data()
    {
        QTest::addColumn<int>("played");
        QTest::newRow("179 ticks left") << 1021;
        QTest::newRow("exactly 180 left") << 1020;
        QTest::newRow("one tick left") << 1199;
    }
    void aMistakeNearTheEndFillsTheClock()
    {
        QFETCH(int, played);
        ModelFixture f;
        f.startRound(1);
        f.tick(played);
        f.chooseMode(1);
        f.clickShelf(f.wrongShelf());
        // The charge passes or meets the end: the clock is full, the round not yet over.
        QCOMPARE(f.clockPosition(), 1200);
        QCOMPARE(f.ps().Game.State, -1);
        QVERIFY(f.ps().B_Round);
        f.tick();
        QCOMPARE(f.ps().Game.State, -3);
        QCOMPARE(f.message(), QStringLiteral("Upłynął czas! Koniec rundy"));
        QCOMPARE(f.lastCue, 2);
        QVERIFY(!f.ps().B_Round);
    }

    void anAbandonedGameNearTheEndEndsTheRoundOnTheFirstTick()
    {
        ModelFixture f;
        f.startRound(2);
        f.tick(1100);
        f.pressLevel(2);  // Yes: abandoned, a new game dealt at once
        QCOMPARE(f.clockPosition(), 1200);
        QVERIFY(f.ps().B_Game);
        f.tick();
        QCOMPARE(f.ps().Game.State, -3);
        QVERIFY(!f.ps().B_Round);
    }

    void aFullRoundWithGamesWon()
    {
        ModelFixture f(3);
        f.startRound(1);
        int won = 0;
        int ticks = 0;
        while (f.ps().B_Round) {
            f.tick(97);
            ticks += 97;
            if (!f.ps().B_Round)
                break;
            f.winByPointing();
            ++won;
            QCOMPARE(f.ps().Cnt_Sedno, won);
            f.pressLevel(1);
        }
        QCOMPARE(won, 1200 / 97);
        QCOMPARE(ticks, 97 * (won + 1));
        QCOMPARE(f.message(), QStringLiteral("Upłynął czas! Koniec rundy"));
        QCOMPARE(f.ps().Cnt_Sedno, 0);
        QCOMPARE(f.ps().TGame[1], won);
        QVERIFY(qAbs(f.ps().TBest[1] - 9.7L) < 1e-6L);
        // A new round at the same level starts from the beginning, keeping the bests.
        f.pressLevel(1);
        QVERIFY(f.ps().B_Round);
        QCOMPARE(f.clockPosition(), 0);
        f.tick(5);
        f.winByPointing();
        QCOMPARE(f.ps().TGame[1], won);
        QVERIFY(qAbs(f.ps().TBest[1] - 0.5L) < 1e-6L);
    }
};

QTEST_GUILESS_MAIN(TestRoundClock)
#include "test_round_clock.moc"
