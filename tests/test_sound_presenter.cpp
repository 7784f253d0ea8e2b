// SPDX-License-Identifier: GPL-3.0-or-later
// Guards the sound switch and the cues, the badges' hint timing and the
// presenter functions: both sound buttons always agree, no cue plays while
// sound is off or for a file gone missing, and the matching shelf is shown
// and the program closed only while the marker file exists and only with
// the keys the presenter uses.

#include "app/hints.h"
#include "play_fixture.h"

#include <QMouseEvent>
#include <QSoundEffect>
#include <QtTest>

namespace {

const QColor kYellow(0xFF, 0xFF, 0x00);
const QColor kNeutral(0x80, 0x40, 0x40);

void setMarker(PlayFixture& f, bool on)
{
    const QString marker = f.dir.path() + QStringLiteral("/Work/A.txt");
    if (on) {
        QFile file(marker);
        QVERIFY(file.open(QIODevice::WriteOnly));
    } else {
        QFile::remove(marker);
    }
}

ImageControl* badge(PlayFixture& f)
{
    // The badge of the lower panel that is shown: p_Warm's in warm-up, p_Play's in timed play.
    return f.form->control<ImageControl>(f.ps().Rozgrzewka ? QStringLiteral("i_Projekt_0")
                                                           : QStringLiteral("i_Projekt_1"));
}

}  // namespace

class TestSoundPresenter : public QObject {
    Q_OBJECT

private slots:
    void bothSoundButtonsAgree()
    {
        PlayFixture f;
        FlatButton* first = f.button(QStringLiteral("tb_Sound_1"));
        FlatButton* second = f.button(QStringLiteral("tb_Sound_2"));
        QVERIFY(f.ps().B_Sound);
        f.toggleWarmPlay();  // timed play: tb_Sound_1's panel is hidden
        QVERIFY(!first->isVisible());
        second->click();
        QVERIFY(!f.ps().B_Sound);
        QVERIFY(first->isDownState());
        QVERIFY(second->isDownState());
        f.toggleWarmPlay();  // back in warm-up the other button shows the same
        QVERIFY(first->isVisible());
        QVERIFY(first->isDownState());
        first->click();
        QVERIFY(f.ps().B_Sound);
        QVERIFY(!first->isDownState());
        QVERIFY(!second->isDownState());
    }

    void cuesPlayTheirFiles_data()
    {
        QTest::addColumn<int>("cue");
        QTest::addColumn<QString>("file");
        QTest::newRow("mistake") << 0 << QStringLiteral("A.wv");
        QTest::newRow("won") << 1 << QStringLiteral("B.wv");
        QTest::newRow("time up") << 2 << QStringLiteral("C.wv");
    }
    void cuesPlayTheirFiles()
    {
        QFETCH(int, cue);
        QFETCH(QString, file);
        PlayFixture f;
        f.form->PlayCue(cue == 0 ? 2 : 0);  // a cue still playing is replaced
        f.form->PlayCue(cue);
        QCOMPARE(f.form->lastCue(), cue);
        QCOMPARE(f.form->cuesStarted(), 2);
        auto* player = f.form->findChild<QSoundEffect*>();
        QVERIFY(player);
        QCOMPARE(player->source(), QUrl::fromLocalFile(f.ps().Base_B + file));
        QCOMPARE(f.form->findChildren<QSoundEffect*>().size(), 1);
    }

    void unknownCuesPlayNothing()
    {
        PlayFixture f;
        f.form->PlayCue(3);
        f.form->PlayCue(-1);
        QCOMPARE(f.form->cuesStarted(), 0);
        QCOMPARE(f.form->lastCue(), -1);
    }

    void aVanishedCueFileIsSilent()
    {
        PlayFixture f;
        QVERIFY(QFile::remove(f.ps().Base_B + QStringLiteral("B.wv")));
        f.pressLevel(0);
        f.winByPointing();
        QCOMPARE(f.message(), QStringLiteral("Brawo! Gra zakończona"));
        QCOMPARE(f.form->cuesStarted(), 0);
        QCOMPARE(f.boxes.boxes.size(), 0);
    }

    void soundOffMeansNoCue()
    {
        PlayFixture f;
        f.button(QStringLiteral("tb_Sound_1"))->click();
        f.startRound(1);
        f.chooseMode(1);
        f.clickShelf(f.wrongShelf());  // mistake
        f.clickShelf(f.ps().Correct_S);  // won
        f.pressLevel(1);
        f.tick(1200);  // time up
        QCOMPARE(f.ps().Game.State, -3);
        QCOMPARE(f.form->cuesStarted(), 0);
        // On again: only later outcomes sound.
        f.button(QStringLiteral("tb_Sound_2"))->click();
        QCOMPARE(f.form->cuesStarted(), 0);
        f.clickShelf(f.wrongShelf());
        QCOMPARE(f.form->cuesStarted(), 1);
        QCOMPARE(f.form->lastCue(), 0);
    }

    void badgeHintPause()
    {
        PlayFixture f;  // no marker file: the hint timing does not depend on it
        for (const QString& name : {QStringLiteral("i_Projekt_0"), QStringLiteral("i_Projekt_1")}) {
            auto* shown = f.form->control<ImageControl>(name);
            setHintHidePause(5000);
            QMouseEvent move(QEvent::MouseMove, QPointF(20, 20), shown->mapToGlobal(QPointF(20, 20)), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(shown, &move);
            QCOMPARE(hintHidePause(), 50000);
            QEvent leave(QEvent::Leave);
            QCoreApplication::sendEvent(shown, &leave);
            QCOMPARE(hintHidePause(), 2500);
        }
    }

    void presenterOffDoesNothing()
    {
        PlayFixture f;
        f.pressLevel(1);
        QTest::mouseClick(badge(f), Qt::LeftButton, Qt::ControlModifier);
        QTest::mousePress(badge(f), Qt::LeftButton);
        QCOMPARE(f.shelf(f.ps().Correct_S)->color(), kNeutral);
        QTest::mouseRelease(badge(f), Qt::LeftButton);
        QTest::mouseClick(f.form->control<ImageControl>(QStringLiteral("i_Logo")), Qt::LeftButton);
        QVERIFY(f.form->isVisible());
    }

    void presenterWithoutAGame()
    {
        PlayFixture f;
        setMarker(f, true);
        QTest::mousePress(badge(f), Qt::RightButton);
        QTest::mouseRelease(badge(f), Qt::RightButton);
        for (int i = 0; i < 12; ++i)
            QCOMPARE(f.panel(QStringLiteral("P_Nr_%1").arg(QString::number(i, 16).toUpper()))->color(), kNeutral);
        QTest::mouseClick(f.form->control<ImageControl>(QStringLiteral("i_Logo")), Qt::LeftButton);
        QVERIFY(!f.form->isVisible());
    }

    void presenterInTimedPlay_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("keys");
        QTest::addColumn<bool>("shows");
        QTest::newRow("ctrl + left") << int(Qt::LeftButton) << int(Qt::ControlModifier) << true;
        QTest::newRow("plain left") << int(Qt::LeftButton) << int(Qt::NoModifier) << false;
        QTest::newRow("ctrl + shift + left") << int(Qt::LeftButton) << int(Qt::ControlModifier | Qt::ShiftModifier)
                                             << false;
        QTest::newRow("ctrl + alt + left") << int(Qt::LeftButton) << int(Qt::ControlModifier | Qt::AltModifier)
                                           << false;
        QTest::newRow("ctrl + right") << int(Qt::RightButton) << int(Qt::ControlModifier) << false;
    }
    void presenterInTimedPlay()
    {
        QFETCH(int, button);
        QFETCH(int, keys);
        QFETCH(bool, shows);
        PlayFixture f;
        setMarker(f, true);
        f.startRound(2);
        Panel* matching = f.shelf(f.ps().Correct_S);
        QTest::mousePress(badge(f), Qt::MouseButton(button), Qt::KeyboardModifiers(keys));
        QCOMPARE(matching->color(), shows ? kYellow : kNeutral);
        QCOMPARE(f.shelf(f.wrongShelf())->color(), kNeutral);
        // Released with Ctrl still held: the shelf gets its colour back.
        QTest::mouseRelease(badge(f), Qt::MouseButton(button), Qt::ControlModifier);
        QCOMPARE(matching->color(), kNeutral);
    }

    void presenterReleaseNeedsCtrlAlone()
    {
        PlayFixture f;
        setMarker(f, true);
        f.startRound(1);
        Panel* matching = f.shelf(f.ps().Correct_S);
        // Ctrl let go before the button: the shelf stays yellow.
        QTest::mousePress(badge(f), Qt::LeftButton, Qt::ControlModifier);
        QTest::mouseRelease(badge(f), Qt::LeftButton);
        QCOMPARE(matching->color(), kYellow);
        QTest::mousePress(badge(f), Qt::LeftButton, Qt::ControlModifier);
        QTest::mouseRelease(badge(f), Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(matching->color(), kYellow);
        QTest::mousePress(badge(f), Qt::LeftButton, Qt::ControlModifier);
        QTest::mouseRelease(badge(f), Qt::LeftButton, Qt::ControlModifier);
        QCOMPARE(matching->color(), kNeutral);
    }

    void presenterInWarmUp()
    {
        PlayFixture f;
        setMarker(f, true);
        f.pressLevel(0);
        Panel* matching = f.shelf(f.ps().Correct_S);
        QTest::mousePress(badge(f), Qt::RightButton, Qt::ShiftModifier);
        QCOMPARE(matching->color(), kYellow);
        QTest::mouseRelease(badge(f), Qt::RightButton);
        QCOMPARE(matching->color(), kYellow);  // a plain release leaves it shown
        QTest::mousePress(badge(f), Qt::MiddleButton);
        QTest::mouseRelease(badge(f), Qt::MiddleButton, Qt::ControlModifier);
        QCOMPARE(matching->color(), kYellow);  // only the left button's release hides it
        QTest::mousePress(badge(f), Qt::LeftButton);
        QTest::mouseRelease(badge(f), Qt::LeftButton, Qt::ControlModifier);
        QCOMPARE(matching->color(), kNeutral);
    }

    void theMarkerIsLookedForAtEveryPress()
    {
        PlayFixture f;
        f.pressLevel(1);
        Panel* matching = f.shelf(f.ps().Correct_S);
        QTest::mousePress(badge(f), Qt::LeftButton);
        QCOMPARE(matching->color(), kNeutral);
        QTest::mouseRelease(badge(f), Qt::LeftButton);
        setMarker(f, true);
        QTest::mousePress(badge(f), Qt::LeftButton);
        QCOMPARE(matching->color(), kYellow);
        setMarker(f, false);
        QTest::mouseRelease(badge(f), Qt::LeftButton, Qt::ControlModifier);
        QCOMPARE(matching->color(), kYellow);
        QTest::mouseClick(f.form->control<ImageControl>(QStringLiteral("i_Logo")), Qt::LeftButton);
        QVERIFY(f.form->isVisible());
    }
};

QTEST_MAIN(TestSoundPresenter)
#include "test_sound_presenter.moc"
