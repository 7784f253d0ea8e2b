// SPDX-License-Identifier: GPL-3.0-or-later
// Guards what each outcome code does: the message, the cue, the shelf
// colours, the clock and game time, the round's count of games, the best
// results per level and the "Koniec rundy" box; also the Polish ordinal of
// the success message and how times are written.

#include "game/time_format.h"
#include "play_fixture.h"

#include <QtTest>

namespace {

const QString kEndOfRound = QStringLiteral("Aby rozpocząć nową rundę wybierz poziom gry 1, 2, 3, 4.");

int tellBoxes(const BoxRecorder& recorder)
{
    int count = 0;
    for (const Dialogs::Box& box : recorder.boxes)
        count += box.kind == Dialogs::Box::Tell ? 1 : 0;
    return count;
}

}  // namespace

class TestOutcomes : public QObject {
    Q_OBJECT

private slots:
    void timesAreWrittenWithOneDecimal_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        const QLocale polish(QLocale::Polish, QLocale::Poland);
        const QLocale english(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("Polish") << 12.3 << polish << QStringLiteral("12,3");
        QTest::newRow("English") << 12.3 << english << QStringLiteral("12.3");
        QTest::newRow("zero") << 0.0 << polish << QStringLiteral("0,0");
        QTest::newRow("whole") << 121.0 << polish << QStringLiteral("121,0");
        QTest::newRow("rounded") << 7.96 << polish << QStringLiteral("8,0");
        QTest::newRow("no group separator") << 1234.56 << english << QStringLiteral("1234.6");
    }
    void timesAreWrittenWithOneDecimal()
    {
        QFETCH(double, seconds);
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QCOMPARE(formatSeconds(seconds, locale), text);
        // The default locale stands for the user's regional settings.
        QLocale::setDefault(locale);
        QCOMPARE(formatSeconds(seconds), text);
    }

    void wonInARound()
    {
        PlayFixture f;
        f.startRound(1);
        f.tick(123);
        const int cues = f.form->cuesStarted();
        f.winByPointing();
        QCOMPARE(f.ps().Game.State, 1);
        QCOMPARE(f.message(), QStringLiteral("Dobrze! W czasie 12,3 s ukończona pierwsza gra tej rundy."));
        QCOMPARE(f.form->lastCue(), 1);
        QCOMPARE(f.form->cuesStarted(), cues + 1);
        QCOMPARE(f.ps().Cnt_Sedno, 1);
        QCOMPARE(f.ps().TGame[1], 1);
        QVERIFY(qAbs(f.ps().TBest[1] - 12.3L) < 1e-6L);
        QCOMPARE(f.ps().TBest[0], 121.0L);
        QCOMPARE(f.ps().TCurT, 0.0L);
        QVERIFY(f.ps().Pause);
        QVERIFY(!f.ps().B_Game);
        QVERIFY(f.ps().B_Round);
        QVERIFY(!f.panel(QStringLiteral("p_Fr_06"))->isEnabled());
        QVERIFY(!f.panel(QStringLiteral("p_Fr_12"))->isEnabled());
        QCOMPARE(f.shelf(f.ps().Correct_S)->color(), QColor(0x00, 0xFF, 0x00));
        // The results panel shows the new bests at once.
        QCOMPARE(f.panel(QStringLiteral("p_2_G"))->caption(), QStringLiteral("1"));
        QCOMPARE(f.panel(QStringLiteral("p_2_T"))->caption(), QStringLiteral("12,3 s"));
        QCOMPARE(tellBoxes(f.boxes), 0);
        // Between games the clock stands.
        f.tick(40);
        QCOMPARE(f.clockPosition(), 123);
    }

    void wonInWarmUp()
    {
        PlayFixture f;
        f.pressLevel(0);
        f.tick(50);
        f.winByPointing();
        QCOMPARE(f.message(), QStringLiteral("Brawo! Gra zakończona"));
        QCOMPARE(f.form->lastCue(), 1);
        QCOMPARE(f.ps().Cnt_Sedno, 0);
        QCOMPARE(f.ps().TGame[0], 0);
        QCOMPARE(f.ps().TBest[0], 121.0L);
        QCOMPARE(f.ps().TCurT, 0.0L);
        QCOMPARE(f.clockPosition(), 0);
        QCOMPARE(tellBoxes(f.boxes), 0);
        QCOMPARE(f.panel(QStringLiteral("p_1_T"))->caption(), QStringLiteral("?"));
    }

    void bestTimes_data()
    {
        QTest::addColumn<double>("previousBest");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<double>("expectedBest");
        QTest::newRow("first time") << 121.0 << 84 << 8.4;
        QTest::newRow("faster") << 20.0 << 150 << 15.0;
        QTest::newRow("slower") << 10.0 << 150 << 10.0;
        QTest::newRow("no time at all") << 121.0 << 0 << 121.0;
    }
    void bestTimes()
    {
        QFETCH(double, previousBest);
        QFETCH(int, ticks);
        QFETCH(double, expectedBest);
        PlayFixture f;
        f.ps().TBest[3] = previousBest;
        f.startRound(3);
        f.tick(ticks);
        f.winByPointing();
        QVERIFY2(qAbs(f.ps().TBest[3] - expectedBest) < 1e-6L, qPrintable(QString::number(double(f.ps().TBest[3]))));
    }

    void mostGamesOfARound()
    {
        PlayFixture f;
        f.ps().TGame[2] = 3;
        f.startRound(2);
        for (int game = 1; game <= 4; ++game) {
            if (game > 1)
                f.pressLevel(2);
            f.tick(10);
            f.winByPointing();
            QCOMPARE(f.ps().TGame[2], qMax(3, game));
            QCOMPARE(f.panel(QStringLiteral("p_3_G"))->caption(), QString::number(qMax(3, game)));
        }
    }

    void theOrdinalCountsTheGamesOfTheRound()
    {
        const QStringList words = {
            u"pierwsza"_qs, u"druga"_qs, u"trzecia"_qs, u"czwarta"_qs, u"piąta"_qs, u"szósta"_qs,
            u"siódma"_qs, u"ósma"_qs, u"dziewiąta"_qs, u"dziesiąta"_qs, u"jedenasta"_qs, u"dwunasta"_qs,
            u"trzynasta"_qs, u"czternasta"_qs, u"piętnasta"_qs, u"szesnasta"_qs, u"siedemnasta"_qs,
            u"osiemnasta"_qs, u"dziewiętnasta"_qs, u"dwudziesta"_qs, u"następna"_qs, u"następna"_qs};
        PlayFixture f;
        f.startRound(0);
        for (int game = 1; game <= words.size(); ++game) {
            if (game > 1)
                f.pressLevel(0);
            f.tick(2);
            f.winByPointing();
            QCOMPARE(f.message(),
                     QStringLiteral("Dobrze! W czasie 0,2 s ukończona %1 gra tej rundy.").arg(words[game - 1]));
        }
        QCOMPARE(f.ps().Cnt_Sedno, 22);
        QCOMPARE(f.ps().TGame[0], 22);
    }

    void lost()
    {
        PlayFixture f;
        f.startRound(1);
        f.tick(70);
        f.ps().Cnt_Sedno = 2;
        f.clickShelf(f.ps().Correct_S);  // mode 0: the matching shelf chosen for removal
        QCOMPARE(f.ps().Game.State, -2);
        QCOMPARE(f.form->lastCue(), 0);
        QCOMPARE(f.message(), QStringLiteral("Pomyłka! Koniec gry"));
        QCOMPARE(f.shelf(f.ps().Correct_S)->color(), QColor(0xFF, 0x00, 0x00));
        QVERIFY(!f.panel(QStringLiteral("p_Fr_12"))->isEnabled());
        QVERIFY(!f.panel(QStringLiteral("p_Fr_06"))->isEnabled());
        QVERIFY(!f.ps().B_Game);
        QVERIFY(f.ps().B_Round);  // the round goes on
        QVERIFY(f.ps().Pause);
        QCOMPARE(f.ps().TCurT, 0.0L);
        QCOMPARE(f.ps().Cnt_Sedno, 2);
        QCOMPARE(f.ps().TGame[1], 0);
        f.tick(30);
        QCOMPARE(f.clockPosition(), 70);
    }

    void mistakeInARound()
    {
        PlayFixture f;
        f.startRound(2);
        f.tick(20);
        f.chooseMode(1);
        Panel* wrong = f.shelf(f.wrongShelf(6));
        wrong->setParentColor(true);
        f.clickShelf(f.wrongShelf(6));
        QCOMPARE(f.ps().Game.State, -1);
        QCOMPARE(f.form->lastCue(), 0);
        QCOMPARE(f.message(), QStringLiteral("Pomyłka! Graj dalej"));
        QCOMPARE(wrong->color(), QColor(0xFF, 0xC0, 0xCB));
        QVERIFY(!wrong->parentColor());
        QVERIFY(!wrong->parentBackground());
        QCOMPARE(f.clockPosition(), 200);
        QVERIFY(qAbs(f.ps().TCurT - 32.0L) < 1e-6L);
        QVERIFY(f.ps().B_Game);
        QVERIFY(!f.ps().Pause);
        // The 30 seconds show in the success message; the clock moved by 18 only.
        f.clickShelf(f.ps().Correct_S);
        QCOMPARE(f.message(), QStringLiteral("Dobrze! W czasie 32,0 s ukończona pierwsza gra tej rundy."));
        // The next game gives the mistaken shelf back its neutral look.
        f.pressLevel(2);
        QCOMPARE(wrong->color(), QColor(0x80, 0x40, 0x40));
    }

    void mistakeInWarmUpCostsNothing()
    {
        PlayFixture f;
        f.pressLevel(1);
        f.chooseMode(1);
        f.tick(100);
        f.clickShelf(f.wrongShelf());
        QCOMPARE(f.message(), QStringLiteral("Pomyłka! Graj dalej"));
        QCOMPARE(f.form->lastCue(), 0);
        QCOMPARE(f.clockPosition(), 0);
        QCOMPARE(f.ps().TCurT, 0.0L);
    }

    void abandonedGame()
    {
        PlayFixture f;
        f.startRound(3);
        f.tick(40);
        f.winByPointing();
        f.pressLevel(3);
        f.tick(15);
        const int cues = f.form->cuesStarted();
        f.pressLevel(3);  // Yes to "Czy chcesz zrezygnować z tej gry."
        QCOMPARE(f.ps().Game.State, 0);
        QCOMPARE(f.clockPosition(), 40 + 15 + 180);
        QCOMPARE(f.ps().Cnt_Sedno, 1);
        QCOMPARE(f.ps().TCurT, 0.0L);
        QCOMPARE(f.form->cuesStarted(), cues);  // no sound
        QVERIFY(f.ps().B_Game);
    }

    void warmUpAndTimedPlayClearTheTable_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("warm-up") << 2 << QStringLiteral("Rozgrzewka");
        QTest::newRow("timed play") << 3 << QStringLiteral("Gra na czas");
    }
    void warmUpAndTimedPlayClearTheTable()
    {
        QFETCH(int, code);
        QFETCH(QString, text);
        PlayFixture f;
        f.startRound(2);
        f.tick(90);
        f.chooseMode(1);
        f.clickShelf(f.wrongShelf());
        f.ps().Cnt_Sedno = 4;
        QVERIFY(!f.description()->plainText().isEmpty());
        const int cues = f.form->cuesStarted();
        f.ps().Game.State = code;
        f.form->ApplyGameState(code);
        QCOMPARE(f.message(), text);
        QCOMPARE(f.clockPosition(), 0);
        QCOMPARE(f.ps().Correct_S, -1);
        QCOMPARE(f.form->CountVisibleShelves(), 0);
        QCOMPARE(f.shelf(f.wrongShelf())->color(), QColor(0x80, 0x40, 0x40));
        QCOMPARE(f.description()->plainText(), QString());
        QCOMPARE(f.description()->pictureCount(), 0);
        QVERIFY(f.ps().Pause);
        QCOMPARE(f.ps().TCurT, 0.0L);
        QCOMPARE(f.ps().Cnt_Sedno, 0);
        QCOMPARE(f.form->cuesStarted(), cues);
        // Warm-up ends the round; timed play leaves the flags to the level press.
        QCOMPARE(f.ps().B_Round, code == 3);
        QCOMPARE(f.ps().B_Game, code == 3);
    }

    void codesOutsideTheRangeDoNothing_data()
    {
        QTest::addColumn<int>("code");
        QTest::newRow("-4") << -4;
        QTest::newRow("4") << 4;
        QTest::newRow("-5") << -5;
    }
    void codesOutsideTheRangeDoNothing()
    {
        QFETCH(int, code);
        PlayFixture f;
        f.startRound(1);
        f.tick(10);
        const QString message = f.message();
        const int cues = f.form->cuesStarted();
        f.form->ApplyGameState(code, f.shelf(0));
        QCOMPARE(f.message(), message);
        QCOMPARE(f.form->cuesStarted(), cues);
        QCOMPARE(f.clockPosition(), 10);
        QVERIFY(f.ps().B_Game);
        QVERIFY(!f.ps().Pause);
        QCOMPARE(f.shelf(0)->color(), QColor(0x80, 0x40, 0x40));
    }

    void finishingAGameAfterTheRoundRanOut()
    {
        PlayFixture f;
        f.startRound(1);
        f.tick(200);
        f.winByPointing();
        f.pressLevel(1);
        f.tick(1000);
        QCOMPARE(f.message(), QStringLiteral("Upłynął czas! Koniec rundy"));
        QCOMPARE(f.form->lastCue(), 2);
        QVERIFY(f.panel(QStringLiteral("p_Fr_12"))->isEnabled());
        const auto best = f.ps().TBest;
        const auto most = f.ps().TGame;
        // The interrupted game goes on without a clock; a mistake costs nothing now.
        f.chooseMode(1);
        f.clickShelf(f.wrongShelf());
        QCOMPARE(f.clockPosition(), 0);
        f.tick(20);
        QCOMPARE(f.ps().TCurT, 0.0L);
        f.clickShelf(f.ps().Correct_S);
        QCOMPARE(f.message(), QStringLiteral("Brawo! Gra zakończona"));
        QCOMPARE(f.form->lastCue(), 1);
        QCOMPARE(tellBoxes(f.boxes), 1);
        QCOMPARE(f.boxes.boxes.last().text, kEndOfRound);
        QCOMPARE(f.boxes.boxes.last().caption, QStringLiteral("Koniec rundy"));
        QCOMPARE(f.ps().Cnt_Sedno, 0);
        QCOMPARE(f.ps().TBest, best);
        QCOMPARE(f.ps().TGame, most);
    }
};

QTEST_MAIN(TestOutcomes)
#include "test_outcomes.moc"
