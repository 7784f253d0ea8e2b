// SPDX-License-Identifier: GPL-3.0-or-later
// Guards the level buttons and the warm-up/timed toggle through every
// situation of the play: when a question is asked, what Yes and No do, which
// outcome a given-up game or round raises, which frame is shown, and that a
// round ending while a question waits does not spill its charge onto the
// next round.

#include "play_fixture.h"

#include <QtTest>

namespace {

enum Situation { WarmUp, TimedNoRound, RoundGameRunning, RoundBetweenGames };
enum Action { SameLevel, OtherLevel, Toggle };

const QString kAbandonGame = QStringLiteral("Czy chcesz zrezygnować z tej gry.");
const QString kAbandonGameCaption = QStringLiteral("Rezygnacja z kontynuowania tej gry");
const QString kAbandonRound = QStringLiteral("Czy chcesz zrezygnować z gry na tym poziomie i rozpocząć nową rundę.");
const QString kAbandonRoundCaption = QStringLiteral("Rezygnacja z kontynuowania rundy");
const QString kLeaveTimed = QStringLiteral("Czy chcesz zrezygnować z gry na czas.");
const QString kLeaveTimedCaption = QStringLiteral("Gra na czas");

constexpr int kPlayedTicks = 50;

// Brings a fresh window into the situation, always at level index 1.
void enter(PlayFixture& f, Situation situation)
{
    f.pressLevel(1);
    if (situation == WarmUp)
        return;
    f.toggleWarmPlay();
    if (situation == TimedNoRound)
        return;
    f.pressLevel(1);
    f.tick(kPlayedTicks);
    if (situation == RoundBetweenGames)
        f.winByPointing();
}

}  // namespace

class TestLevelSelection : public QObject {
    Q_OBJECT

private slots:
    void situationTable_data()
    {
        QTest::addColumn<int>("situation");
        QTest::addColumn<int>("action");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("question");   // empty: none asked
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("newGame");       // a fresh game is dealt
        QTest::addColumn<int>("level");          // N_Level afterwards
        QTest::addColumn<bool>("warmUp");        // Rozgrzewka afterwards
        QTest::addColumn<bool>("round");         // B_Round (and B_Game for a new game) afterwards
        QTest::addColumn<int>("state");          // Game.State afterwards
        QTest::addColumn<int>("clock");
        QTest::addColumn<int>("completed");      // Cnt_Sedno afterwards

        const QString none;
        QTest::newRow("warm-up, same level") << int(WarmUp) << int(SameLevel) << true << none << none
                                             << true << 1 << true << false << 0 << 0 << 0;
        QTest::newRow("warm-up, other level") << int(WarmUp) << int(OtherLevel) << true << none << none
                                              << true << 2 << true << false << 0 << 0 << 0;
        QTest::newRow("warm-up, toggle") << int(WarmUp) << int(Toggle) << true << none << none
                                         << false << 1 << false << false << 3 << 0 << 0;

        QTest::newRow("timed, no round, same level") << int(TimedNoRound) << int(SameLevel) << true << none
                                                     << none << true << 1 << false << true << 3 << 0 << 0;
        QTest::newRow("timed, no round, other level") << int(TimedNoRound) << int(OtherLevel) << true << none
                                                      << none << true << 2 << false << true << 3 << 0 << 0;
        QTest::newRow("timed, no round, toggle") << int(TimedNoRound) << int(Toggle) << true << none << none
                                                 << false << 1 << true << false << 2 << 0 << 0;

        QTest::newRow("game running, same level, Yes")
            << int(RoundGameRunning) << int(SameLevel) << true << kAbandonGame << kAbandonGameCaption << true << 1
            << false << true << 0 << kPlayedTicks + 180 << 0;
        QTest::newRow("game running, same level, No")
            << int(RoundGameRunning) << int(SameLevel) << false << kAbandonGame << kAbandonGameCaption << false
            << 1 << false << true << 3 << kPlayedTicks << 0;
        QTest::newRow("game running, other level, Yes")
            << int(RoundGameRunning) << int(OtherLevel) << true << kAbandonRound << kAbandonRoundCaption << true
            << 2 << false << true << 3 << 0 << 0;
        QTest::newRow("game running, other level, No")
            << int(RoundGameRunning) << int(OtherLevel) << false << kAbandonRound << kAbandonRoundCaption << false
            << 1 << false << true << 3 << kPlayedTicks << 0;
        QTest::newRow("game running, toggle, Yes")
            << int(RoundGameRunning) << int(Toggle) << true << kLeaveTimed << kLeaveTimedCaption << false << 1
            << true << false << 2 << 0 << 0;
        QTest::newRow("game running, toggle, No")
            << int(RoundGameRunning) << int(Toggle) << false << kLeaveTimed << kLeaveTimedCaption << false << 1
            << false << true << 3 << kPlayedTicks << 0;

        QTest::newRow("between games, same level") << int(RoundBetweenGames) << int(SameLevel) << true << none
                                                   << none << true << 1 << false << true << 1 << kPlayedTicks << 1;
        QTest::newRow("between games, other level, Yes")
            << int(RoundBetweenGames) << int(OtherLevel) << true << kAbandonRound << kAbandonRoundCaption << true
            << 2 << false << true << 3 << 0 << 0;
        QTest::newRow("between games, other level, No")
            << int(RoundBetweenGames) << int(OtherLevel) << false << kAbandonRound << kAbandonRoundCaption
            << false << 1 << false << true << 1 << kPlayedTicks << 1;
        QTest::newRow("between games, toggle, Yes")
            << int(RoundBetweenGames) << int(Toggle) << true << kLeaveTimed << kLeaveTimedCaption << false << 1
            << true << false << 2 << 0 << 0;
        QTest::newRow("between games, toggle, No")
            << int(RoundBetweenGames) << int(Toggle) << false << kLeaveTimed << kLeaveTimedCaption << false << 1
            << false << true << 1 << kPlayedTicks << 1;
    }
    void situationTable()
    {
        QFETCH(int, situation);
        QFETCH(int, action);
        QFETCH(bool, answer);
        QFETCH(QString, question);
        QFETCH(QString, caption);
        QFETCH(bool, newGame);
        QFETCH(int, level);
        QFETCH(bool, warmUp);
        QFETCH(bool, round);
        QFETCH(int, state);
        QFETCH(int, clock);
        QFETCH(int, completed);

        PlayFixture f(11, answer);
        enter(f, Situation(situation));
        // Leave a trace on the table that only a fresh deal wipes out.
        const int traced = f.ps().Correct_S == 0 ? 1 : 0;
        f.shelf(traced)->hide();
        f.ps().T_Pic_Self[traced].Mode = 1;
        const bool gameBefore = f.ps().B_Game;
        f.boxes.boxes.clear();

        switch (Action(action)) {
        case SameLevel: f.pressLevel(1); break;
        case OtherLevel: f.pressLevel(2); break;
        case Toggle: f.toggleWarmPlay(); break;
        }

        if (question.isEmpty()) {
            QCOMPARE(f.boxes.boxes.size(), 0);
        } else {
            QCOMPARE(f.boxes.boxes.size(), 1);
            QCOMPARE(f.boxes.boxes[0].kind, Dialogs::Box::Ask);
            QCOMPARE(f.boxes.boxes[0].text, question);
            QCOMPARE(f.boxes.boxes[0].caption, caption);
        }
        QCOMPARE(f.ps().N_Level, level);
        QCOMPARE(f.ps().Rozgrzewka, warmUp);
        QCOMPARE(f.ps().B_Round, round);
        QCOMPARE(f.ps().B_Game, newGame ? round : (round && gameBefore));
        QCOMPARE(f.ps().Game.State, state);
        QCOMPARE(f.clockPosition(), clock);
        QCOMPARE(f.ps().Cnt_Sedno, completed);
        // The buttons show the state: the level's button down, the toggle down in timed play.
        QVERIFY(f.levelButton(level)->isDownState());
        QCOMPARE(f.button(QStringLiteral("tb_Warm_Play"))->isDownState(), !warmUp);
        // Before the toggle's first use p_Warm simply lies on top of p_Play;
        // from then on exactly one of them is shown.
        QCOMPARE(f.panel(QStringLiteral("p_Warm"))->isHidden(), !warmUp);
        if (situation != WarmUp || action == Toggle)
            QCOMPARE(f.panel(QStringLiteral("p_Play"))->isHidden(), warmUp);

        if (newGame) {
            QVERIFY(f.ps().Correct_S >= 0);
            QCOMPARE(f.form->CountVisibleShelves(), f.ps().N_Self);
            QCOMPARE(int(f.ps().T_Pic_Self[traced].Mode), 0);
            QVERIFY(!f.ps().Pause);
        } else if (action == Toggle && answer) {
            QCOMPARE(f.ps().Correct_S, -1);
            QCOMPARE(f.form->CountVisibleShelves(), 0);
            QVERIFY(f.ps().Pause);
        } else {
            // Nothing changed: the trace is still there.
            QVERIFY(f.shelf(traced)->isHidden());
            QCOMPARE(int(f.ps().T_Pic_Self[traced].Mode), 1);
        }
    }

    void theLevelPicksItsFrame_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("tagBase");
        QTest::addColumn<int>("shelves");
        QTest::newRow("level 1") << 0 << 100 << 6;
        QTest::newRow("level 2") << 1 << 200 << 12;
        QTest::newRow("level 3") << 2 << 200 << 12;
        QTest::newRow("level 4") << 3 << 200 << 12;
    }
    void theLevelPicksItsFrame()
    {
        QFETCH(int, level);
        QFETCH(int, tagBase);
        QFETCH(int, shelves);
        PlayFixture f;
        f.pressLevel(level == 0 ? 3 : 0);  // start from the other frame
        f.pressLevel(level);
        QCOMPARE(f.ps().T_Level, tagBase);
        QCOMPARE(f.ps().N_Self, shelves);
        QCOMPARE(f.panel(QStringLiteral("p_Fr_06"))->isHidden(), level != 0);
        QCOMPARE(f.panel(QStringLiteral("p_Fr_12"))->isHidden(), level == 0);
        QCOMPARE(f.form->CountVisibleShelves(), shelves);
    }

    void switchingToTimedPlayLeavesNoGameOnScreen()
    {
        PlayFixture f;
        f.pressLevel(3);
        f.toggleWarmPlay();
        QCOMPARE(f.message(), QStringLiteral("Gra na czas"));
        QCOMPARE(f.form->CountVisibleShelves(), 0);
        QCOMPARE(f.description()->plainText(), QString());
        f.tick(30);
        QCOMPARE(f.clockPosition(), 0);
    }

    // The round runs out while "Czy chcesz zrezygnować z tej gry." waits; a
    // Yes must not charge the abandoned game to the next round.
    void aRoundEndingUnderTheQuestionStartsTheNextRoundWhole()
    {
        PlayFixture f;
        f.startRound(2);
        f.tick(1100);
        f.winByPointing();
        f.pressLevel(2);
        QCOMPARE(f.ps().Cnt_Sedno, 1);
        f.boxes.whileOpen = [&f](const Dialogs::Box&) {
            while (f.ps().B_Round)
                f.tick();
        };
        f.pressLevel(2);
        QCOMPARE(f.boxes.boxes.size(), 1);
        QCOMPARE(f.boxes.boxes[0].text, kAbandonGame);
        // A new round and game, with the whole 120 seconds.
        QVERIFY(f.ps().B_Round);
        QVERIFY(f.ps().B_Game);
        QCOMPARE(f.clockPosition(), 0);
        QCOMPARE(f.ps().Cnt_Sedno, 0);
        QCOMPARE(f.ps().TCurT, 0.0L);
        QCOMPARE(f.form->CountVisibleShelves(), 12);
        f.tick(1199);
        QVERIFY(f.ps().B_Round);
        f.tick();
        QVERIFY(!f.ps().B_Round);
    }

    void aRoundEndingUnderTheLeaveQuestionAnsweredNoKeepsTimedPlay()
    {
        PlayFixture f(7, false);
        f.startRound(1);
        f.boxes.whileOpen = [&f](const Dialogs::Box&) {
            while (f.ps().B_Round)
                f.tick();
        };
        f.toggleWarmPlay();
        QCOMPARE(f.boxes.boxes.size(), 1);
        QVERIFY(f.button(QStringLiteral("tb_Warm_Play"))->isDownState());
        QVERIFY(!f.ps().Rozgrzewka);
        QCOMPARE(f.message(), QStringLiteral("Upłynął czas! Koniec rundy"));
        // The interrupted game can still be finished, without a clock.
        f.boxes.whileOpen = {};
        f.winByPointing();
        QCOMPARE(f.message(), QStringLiteral("Brawo! Gra zakończona"));
    }
};

QTEST_MAIN(TestLevelSelection)
#include "test_level_selection.moc"
