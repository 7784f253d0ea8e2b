// SPDX-License-Identifier: GPL-3.0-or-later
// A pupil playing at random: thousands of presses, clicks, clock ticks and
// answers from one fixed seed, with the play state's invariants checked after
// every single action. Any Qt warning and any error box is a failure.
// TREFOLIA_RANDOM_PLAY_ACTIONS sets how many actions (sanitized builds run
// fewer), TREFOLIA_RANDOM_PLAY_SEED replays another seed.
#include "play_fixture.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSet>
#include <random>

namespace {

int fromEnvironment(const char* name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value > 0 ? value : fallback;
}

class RandomPupil {
public:
    RandomPupil(PlayFixture& game, std::uint32_t seed) : game(game), rng(seed)
    {
        // Questions are answered Yes or No at random; now and then the
        // clock ticks on while a box waits, as it does under a real one.
        game.boxes.whileOpen = [this](const Dialogs::Box&) {
            this->game.boxes.answer = chance(2);
            if (chance(4))
                this->game.tick(pick(5) + 1);
        };
    }

    // One random action; returns what it did, for the failure message.
    QString act()
    {
        const int roll = pick(48);
        if (roll < 4) {
            const int level = pick(4);
            QTest::mouseClick(game.levelButton(level), Qt::LeftButton);
            return QStringLiteral("level %1").arg(level);
        }
        if (roll < 8) {
            const int mode = pick(3);
            QTest::mouseClick(game.button(QStringLiteral("sb_Mode_%1").arg(mode)), Qt::LeftButton);
            return QStringLiteral("mode %1").arg(mode);
        }
        if (roll < 11) {
            QTest::mouseClick(game.button(QStringLiteral("sb_Delete")), Qt::LeftButton);
            return QStringLiteral("delete");
        }
        if (roll < 12) {
            QTest::mouseClick(game.button(QStringLiteral("tb_Warm_Play")), Qt::LeftButton);
            return QStringLiteral("warm/play");
        }
        if (roll < 13) {
            const QString name = chance(2) ? QStringLiteral("tb_Sound_1") : QStringLiteral("tb_Sound_2");
            return clickIfShown(game.button(name), name);
        }
        if (roll < 14) {
            const QString name = QStringLiteral("tb_Help_%1").arg(pick(2));
            return clickIfShown(game.button(name), name);
        }
        if (roll < 15)
            return toggleResults();
        if (roll < 25)
            return clickShelf(false);
        if (roll < 35)
            return clickShelf(true);
        if (roll < 47) {
            const int ticks = pick(30) + 1;
            game.tick(ticks);
            return QStringLiteral("%1 ticks").arg(ticks);
        }
        const int ticks = pick(1300) + 1;   // long enough to run a round out
        game.tick(ticks);
        return QStringLiteral("%1 ticks").arg(ticks);
    }

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
    bool chance(int oneIn) { return pick(oneIn) == 0; }

    // A pupil only reaches what is on screen: the help overlay covers the
    // rest, and a hidden control cannot be clicked.
    QString clickIfShown(QWidget* target, const QString& what, Qt::MouseButton button = Qt::LeftButton,
                         Qt::KeyboardModifiers keys = {})
    {
        auto* help = game.panel(QStringLiteral("_Help"));
        if (help->isVisible() && target != help && !help->isAncestorOf(target)) {
            QTest::mouseClick(help, Qt::LeftButton, {}, QPoint(5, 5));
            return QStringLiteral("help overlay instead of %1").arg(what);
        }
        if (!target->isVisible())
            return QStringLiteral("%1 (hidden, not clicked)").arg(what);
        QTest::mouseClick(target, button, keys, QPoint(target->width() - 2, target->height() - 2));
        return what;
    }

    QString toggleResults()
    {
        QStringList names{QStringLiteral("p_Play")};
        for (int n = 1; n <= 5; ++n)
            names << QStringLiteral("p_R%1").arg(n);
        for (int n = 1; n <= 4; ++n)
            names << QStringLiteral("p_L%1").arg(n) + u'1' << QStringLiteral("p_L%1").arg(n) + u'2';
        const QString name = names.at(pick(int(names.size())));
        return clickIfShown(game.panel(name), name);
    }

    QString clickShelf(bool onItem)
    {
        const bool small = game.ps().N_Level <= 0;
        const int shelf = pick(small ? 6 : 12);
        const int slot = pick(small ? 3 : 4);
        const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
        const Qt::MouseButton button = buttons[pick(3)];
        const Qt::KeyboardModifiers keys = chance(3) ? Qt::ControlModifier : Qt::NoModifier;
        const QString what = QStringLiteral("%1 %2 of shelf %3 (button %4%5)")
                                 .arg(onItem ? QStringLiteral("item") : QStringLiteral("panel"))
                                 .arg(slot)
                                 .arg(shelf)
                                 .arg(int(button))
                                 .arg(keys ? QStringLiteral(", Ctrl") : QString());
        QWidget* target = onItem ? static_cast<QWidget*>(game.item(shelf, slot)) : game.shelf(shelf);
        return clickIfShown(target, what, button, keys);
    }

    PlayFixture& game;
    std::mt19937 rng;
};

// What must hold after every action; empty when all does.
class Invariants {
public:
    explicit Invariants(PlayFixture& game) : game(game), lastGames(game.ps().TGame), lastBest(game.ps().TBest) {}

    QString violation()
    {
        const PlayState& ps = game.ps();
        if (ps.N_Level < -1 || ps.N_Level > 3)
            return QStringLiteral("N_Level %1").arg(ps.N_Level);
        const int tagBase = ps.N_Level < 0 ? 0 : ps.N_Level == 0 ? 100 : 200;
        if (ps.T_Level != tagBase)
            return QStringLiteral("T_Level %1 at N_Level %2").arg(ps.T_Level).arg(ps.N_Level);
        if (ps.Correct_S != -1 && (ps.Correct_S < 0 || ps.Correct_S >= ps.N_Self))
            return QStringLiteral("Correct_S %1 of %2 shelves").arg(ps.Correct_S).arg(ps.N_Self);
        for (size_t level = 0; level < 4; ++level) {
            if (ps.TGame[level] < lastGames[level])
                return QStringLiteral("TGame[%1] fell from %2 to %3").arg(level).arg(lastGames[level]).arg(ps.TGame[level]);
            if (ps.TBest[level] > lastBest[level])
                return QStringLiteral("TBest[%1] rose from %2 to %3")
                    .arg(level)
                    .arg(double(lastBest[level]))
                    .arg(double(ps.TBest[level]));
        }
        lastGames = ps.TGame;
        lastBest = ps.TBest;

        const bool small = !game.panel(QStringLiteral("p_Fr_06"))->isHidden();
        const bool large = !game.panel(QStringLiteral("p_Fr_12"))->isHidden();
        if (small && large)
            return QStringLiteral("both shelf frames shown");
        if (ps.N_Level >= 0 && (ps.N_Level == 0 ? !small : !large))
            return QStringLiteral("the frame of level %1 is not shown").arg(ps.N_Level);

        const QProgressBar* clock = game.clock();
        if (clock->value() < clock->minimum() || clock->value() > clock->maximum())
            return QStringLiteral("pb_Note at %1 outside %2..%3").arg(clock->value()).arg(clock->minimum()).arg(clock->maximum());
        if (ps.B_Game && !ps.B_Round)
            return QStringLiteral("a timed game outside a round");
        if (ps.Rozgrzewka && (ps.B_Game || ps.B_Round))
            return QStringLiteral("a timed game or round during warm-up");
        if (game.button(QStringLiteral("tb_Sound_1"))->isDownState()
            != game.button(QStringLiteral("tb_Sound_2"))->isDownState())
            return QStringLiteral("the two sound buttons disagree");
        for (const Dialogs::Box& box : game.boxes.boxes)
            if (box.kind == Dialogs::Box::Error)
                return QStringLiteral("error box: %1").arg(box.text);
        return {};
    }

private:
    PlayFixture& game;
    std::array<std::int32_t, 5> lastGames;
    std::array<long double, 5> lastBest;
};

}  // namespace

class TestRandomPlay : public QObject {
    Q_OBJECT
private slots:
    void invariantsHoldThroughRandomPlay();
};

void TestRandomPlay::invariantsHoldThroughRandomPlay()
{
    // Every warning fails, except the sound backend's report that the
    // machine has no audio device: that is the test machine, not the game.
    QTest::failOnWarning(QRegularExpression(
        QStringLiteral("^(?!PulseAudioService: pa_context_connect\\(\\) failed$|No audio device detected$)")));
    const int actions = fromEnvironment("TREFOLIA_RANDOM_PLAY_ACTIONS", 20000);
    const auto seed = std::uint32_t(fromEnvironment("TREFOLIA_RANDOM_PLAY_SEED", 20250611));
    qInfo("random play: seed %u, %d actions", seed, actions);

    PlayFixture game(seed);
    RandomPupil pupil(game, seed);
    Invariants invariants(game);
    QCOMPARE(invariants.violation(), QString());

    QElapsedTimer clock;
    clock.start();
    int levelsDealt = 0;
    QSet<int> outcomes;
    for (int step = 1; step <= actions; ++step) {
        const QString action = pupil.act();
        const QString broken = invariants.violation();
        QVERIFY2(broken.isEmpty(), qPrintable(QStringLiteral("after action %1 (%2): %3").arg(step).arg(action, broken)));
        levelsDealt += action.startsWith(QLatin1String("level")) ? 1 : 0;
        outcomes.insert(game.ps().Game.State);
        game.boxes.boxes.clear();
    }
    // The walk reached real play: games were dealt, won and lost.
    QVERIFY(levelsDealt > 0);
    if (actions >= 1000)
        QVERIFY2(outcomes.contains(1) && outcomes.contains(-2), "no game was both won and lost");
    qInfo("random play: %d actions in %lld ms", actions, clock.elapsed());
}

QTEST_MAIN(TestRandomPlay)
#include "test_random_play.moc"
