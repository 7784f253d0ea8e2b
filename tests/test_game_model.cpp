// SPDX-License-Identifier: GPL-3.0-or-later
// The rules of play on the game model alone, with no window: what a click
// does in each mode, what the delete button does with the marks, the
// questions of a level press and the warm-up/timed switch,
// the presenter's press and a deal that fails. Each row checks what a front
// end is told (the effects) and what it can ask afterwards.

#include "model_fixture.h"

#include <QFile>
#include <QtTest>

using Kind = GameEffect::Kind;

class TestGameModel : public QObject {
    Q_OBJECT

private slots:
    void clickByMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("matching");
        QTest::addColumn<bool>("timed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("clock");       // after the click
        QTest::addColumn<bool>("decided");
        QTest::addColumn<int>("shelvesLeft");
        QTest::newRow("remove a wrong shelf") << 0 << false << false << QString() << 0 << false << 11;
        QTest::newRow("remove the matching one") << 0 << true << false << "Pomyłka! Koniec gry" << 0 << true << 12;
        QTest::newRow("point at a wrong one") << 1 << false << false << "Pomyłka! Graj dalej" << 0 << false << 12;
        QTest::newRow("point at a wrong one, timed") << 1 << false << true << "Pomyłka! Graj dalej" << 180 << false << 12;
        QTest::newRow("point at the matching one") << 1 << true << false << "Brawo! Gra zakończona" << 0 << true << 12;
        QTest::newRow("mark a shelf") << 2 << true << false << QString() << 0 << false << 12;
    }
    void clickByMode()
    {
        QFETCH(int, mode);
        QFETCH(bool, matching);
        QFETCH(bool, timed);
        ModelFixture g;
        if (timed)
            g.toggleWarmPlay();
        g.model.pressLevel(2);
        g.model.chooseMode(mode);
        const int shelf = matching ? g.ps().Correct_S : g.wrongShelf();
        const GameChange change = g.model.clickShelf(shelf);

        QTEST(g.model.message(), "message");
        QTEST(g.model.clock(), "clock");
        QTEST(g.model.decided(), "decided");
        QTEST(g.model.CountVisibleShelves(), "shelvesLeft");
        QCOMPARE(g.model.marked(shelf), mode == GameModel::MarkMode);
        QCOMPARE(change.has(Kind::DrawShelf), mode == GameModel::MarkMode);
        // A decided game takes no more clicks.
        if (g.model.decided())
            QVERIFY(g.model.clickShelf(g.wrongShelf(1)).isEmpty());
    }

    void removingDownToOneWins()
    {
        ModelFixture g;
        if (true)
            g.toggleWarmPlay();
        g.model.pressLevel(0);
        g.model.tick();
        for (int n = 0; n < 4; ++n)
            g.model.clickShelf(g.wrongShelf(n));
        QVERIFY(!g.model.decided());
        const GameChange change = g.model.clickShelf(g.wrongShelf(4));
        QVERIFY(g.model.decided());
        QCOMPARE(g.model.look(g.ps().Correct_S), ShelfLook::Won);
        QCOMPARE(g.model.message(), QStringLiteral("Dobrze! W czasie 0,1 s ukończona pierwsza gra tej rundy."));
        QCOMPARE(g.ps().TGame[0], 1);
        QVERIFY(change.has(Kind::ShowResults));
        QCOMPARE(change.last(Kind::PlayCue)->value, 1);
    }

    void deleteMarked_data()
    {
        QTest::addColumn<QList<int>>("marks");  // 0 = the matching shelf, n = the n-th wrong one
        QTest::addColumn<int>("left");
        QTest::addColumn<QString>("message");
        QTest::newRow("nothing marked") << QList<int>{} << 12 << QString();
        QTest::newRow("two wrong ones") << QList<int>{1, 2} << 10 << QString();
        QTest::newRow("the matching one among them") << QList<int>{1, 0} << 12 << "Pomyłka! Koniec gry";
        QTest::newRow("every wrong one") << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11} << 1 << "Brawo! Gra zakończona";
    }
    void deleteMarked()
    {
        QFETCH(QList<int>, marks);
        ModelFixture g;
        g.model.pressLevel(3);
        g.model.chooseMode(GameModel::MarkMode);
        for (int m : marks)
            g.model.clickShelf(m == 0 ? g.ps().Correct_S : g.wrongShelf(m - 1));
        g.model.deleteMarked();
        QTEST(g.model.CountVisibleShelves(), "left");
        QTEST(g.model.message(), "message");
        QVERIFY(g.model.onTable(g.ps().Correct_S));
    }

    void questions_data()
    {
        QTest::addColumn<int>("second");   // the level pressed during a timed game of level 1
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("clock");
        QTest::addColumn<int>("level");
        QTest::newRow("same level, given up") << 1 << true << "Rezygnacja z kontynuowania tej gry" << 185 << 1;
        QTest::newRow("same level, kept") << 1 << false << "Rezygnacja z kontynuowania tej gry" << 5 << 1;
        QTest::newRow("other level, new round") << 2 << true << "Rezygnacja z kontynuowania rundy" << 0 << 2;
        QTest::newRow("other level, kept") << 2 << false << "Rezygnacja z kontynuowania rundy" << 5 << 1;
    }
    void questions()
    {
        QFETCH(int, second);
        QFETCH(bool, answer);
        ModelFixture g;
        if (true)
            g.toggleWarmPlay();
        g.model.pressLevel(1);
        for (int t = 0; t < 5; ++t)
            g.model.tick();
        g.answer = answer;
        const GameChange change = g.model.pressLevel(second);
        QCOMPARE(g.asked.size(), 1);
        QTEST(g.asked.first(), "caption");
        QTEST(g.model.clock(), "clock");
        QTEST(g.ps().N_Level, "level");
        QCOMPARE(change.has(Kind::RestoreLevelButton), second != 1 && !answer);
        QCOMPARE(g.ps().B_Round, true);
    }

    void warmTimedSwitch_data()
    {
        QTest::addColumn<bool>("inRound");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("warmUpAfter");
        QTest::newRow("to warm-up, no round") << false << true << true;
        QTest::newRow("round given up") << true << true << true;
        QTest::newRow("round kept") << true << false << false;
    }
    void warmTimedSwitch()
    {
        QFETCH(bool, inRound);
        QFETCH(bool, answer);
        ModelFixture g;
        if (true)
            g.toggleWarmPlay();
        if (inRound)
            g.model.pressLevel(0);
        g.answer = answer;
        g.model.switchWarmTimed();
        QCOMPARE(g.asked.size(), inRound ? 1 : 0);
        QTEST(g.ps().Rozgrzewka, "warmUpAfter");
        QCOMPARE(g.model.gameOnTable(), inRound && !answer);
        if (g.ps().Rozgrzewka)
            QCOMPARE(g.model.message(), QStringLiteral("Rozgrzewka"));
    }

    void presenter_data()
    {
        QTest::addColumn<bool>("timed");
        QTest::addColumn<bool>("ctrlLeft");
        QTest::addColumn<bool>("revealed");
        QTest::newRow("warm-up, any press") << false << false << true;
        QTest::newRow("timed, plain press") << true << false << false;
        QTest::newRow("timed, Ctrl and left") << true << true << true;
    }
    void presenter()
    {
        QFETCH(bool, timed);
        QFETCH(bool, ctrlLeft);
        ModelFixture g;
        if (timed)
            g.toggleWarmPlay();
        g.model.pressLevel(1);
        g.model.presenterPress(ctrlLeft);
        QTEST(g.model.look(g.ps().Correct_S) == ShelfLook::Revealed, "revealed");
        g.model.presenterRelease(true);
        QCOMPARE(g.model.look(g.ps().Correct_S), ShelfLook::Plain);
    }

    void failedDealLeavesNoGame_data()
    {
        QTest::addColumn<bool>("roundBefore");
        QTest::newRow("press that starts a round") << false;
        QTest::newRow("press within a round") << true;
    }
    void failedDealLeavesNoGame()
    {
        QFETCH(bool, roundBefore);
        ModelFixture g;
        if (true)
            g.toggleWarmPlay();
        if (roundBefore) {
            g.model.pressLevel(0);
            g.model.chooseMode(GameModel::PointMode);
            g.model.clickShelf(g.ps().Correct_S);
        }
        QVERIFY(QFile::remove(g.dir.filePath(QStringLiteral("Base/F.tx"))));
        QVERIFY_THROWS_EXCEPTION(std::exception, g.model.pressLevel(roundBefore ? 0 : 1));
        const GameChange tidy = g.model.failedDeal();
        // What the failed press had changed (the message emptied) is shown too.
        QVERIFY(tidy.last(Kind::ShowMessage));
        QCOMPARE(tidy.last(Kind::ShowMessage)->text, QString());
        QCOMPARE(tidy.last(Kind::LayShelves)->value, 0);
        QVERIFY(!g.model.gameOnTable());
        QCOMPARE(g.model.CountVisibleShelves(), 0);
        QCOMPARE(g.ps().B_Round, roundBefore);
        QVERIFY(g.model.tick().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestGameModel)
#include "test_game_model.moc"
