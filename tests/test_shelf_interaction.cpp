// SPDX-License-Identifier: GPL-3.0-or-later
// Guards what the mouse does on the shelves in each mode: removing wrong
// shelves until only the matching one is left, pointing at it, marking and
// deleting marked shelves; the matching shelf chosen for removal losing the
// game without anything disappearing; only the left button counting; and a
// finished game taking no more clicks.

#include "play_fixture.h"

#include <QtTest>

namespace {

const QColor kMistake(0xFF, 0xC0, 0xCB);

}  // namespace

class TestShelfInteraction : public QObject {
    Q_OBJECT

private slots:
    void onlyTheLeftButtonCounts_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("onItem");
        for (int mode = 0; mode < 3; ++mode) {
            for (const auto& [name, button] : {std::pair{"right", Qt::RightButton}, {"middle", Qt::MiddleButton}}) {
                QTest::addRow("mode %d, %s on shelf", mode, name) << mode << int(button) << false;
                QTest::addRow("mode %d, %s on item", mode, name) << mode << int(button) << true;
            }
        }
    }
    void onlyTheLeftButtonCounts()
    {
        QFETCH(int, mode);
        QFETCH(int, button);
        QFETCH(bool, onItem);
        PlayFixture f;
        f.pressLevel(1);
        f.chooseMode(mode);
        const auto mouseButton = Qt::MouseButton(button);
        // Both the matching shelf and a wrong one: no click of these buttons does anything.
        for (const int shelf : {f.ps().Correct_S, f.wrongShelf()}) {
            if (onItem)
                f.clickItem(shelf, 1, mouseButton);
            else
                f.clickShelf(shelf, mouseButton);
        }
        QCOMPARE(f.shownShelves(), 12);
        QCOMPARE(f.ps().Game.State, 0);
        QCOMPARE(f.message(), QString());
        for (int i = 0; i < 12; ++i)
            QCOMPARE(int(f.ps().T_Pic_Self[i].Mode), 0);
        QCOMPARE(f.form->lastCue(), -1);
    }

    void removingEveryWrongShelfWins_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<bool>("onItems");
        QTest::newRow("level 1, shelves") << 0 << false;
        QTest::newRow("level 1, items") << 0 << true;
        QTest::newRow("level 4, shelves") << 3 << false;
    }
    void removingEveryWrongShelfWins()
    {
        QFETCH(int, level);
        QFETCH(bool, onItems);
        PlayFixture f;
        f.pressLevel(level);
        const int shelves = f.ps().N_Self;
        QList<int> wrong;
        for (int n = 0; n < shelves - 1; ++n)
            wrong << f.wrongShelf(n);
        for (int n = 0; n < wrong.size(); ++n) {
            QCOMPARE(f.ps().Game.State, 0);  // nothing decided before the last wrong shelf goes
            if (onItems)
                f.clickItem(wrong[n], 0);
            else
                f.clickShelf(wrong[n]);
            QVERIFY(f.shelf(wrong[n])->isHidden());
            QCOMPARE(f.form->CountVisibleShelves(), shelves - 1 - n);
        }
        QCOMPARE(f.ps().Game.State, 1);
        QCOMPARE(f.message(), QStringLiteral("Brawo! Gra zakończona"));
        QVERIFY(!f.shelf(f.ps().Correct_S)->isHidden());
        QCOMPARE(f.shelf(f.ps().Correct_S)->color(), QColor(0x00, 0xFF, 0x00));
    }

    void removingTheMatchingShelfLoses_data()
    {
        QTest::addColumn<int>("level");
        QTest::newRow("level 1") << 0;
        QTest::newRow("level 2") << 1;
    }
    void removingTheMatchingShelfLoses()
    {
        QFETCH(int, level);
        PlayFixture f;
        f.pressLevel(level);
        f.clickShelf(f.wrongShelf(0));
        f.clickShelf(f.ps().Correct_S);
        QCOMPARE(f.ps().Game.State, -2);
        QCOMPARE(f.message(), QStringLiteral("Pomyłka! Koniec gry"));
        QVERIFY(!f.shelf(f.ps().Correct_S)->isHidden());
        QCOMPARE(f.form->CountVisibleShelves(), f.ps().N_Self - 1);
        QCOMPARE(f.shelf(f.ps().Correct_S)->color(), QColor(0xFF, 0x00, 0x00));
    }

    void pointingAtAWrongShelfIsAMistakeEveryTime()
    {
        PlayFixture f;
        f.pressLevel(2);
        f.chooseMode(1);
        const int wrong = f.wrongShelf(3);
        for (int n = 0; n < 2; ++n) {
            f.ps().Game.State = 0;
            f.clickShelf(wrong);
            QCOMPARE(f.ps().Game.State, -1);
            QCOMPARE(f.message(), QStringLiteral("Pomyłka! Graj dalej"));
        }
        f.clickItem(f.wrongShelf(0), 2);
        QCOMPARE(f.ps().Game.State, -1);
        QCOMPARE(f.shelf(f.wrongShelf(0))->color(), kMistake);
        QCOMPARE(f.form->CountVisibleShelves(), 12);  // pointing removes nothing
        QVERIFY(f.panel(QStringLiteral("p_Fr_12"))->isEnabled());
        f.clickShelf(f.ps().Correct_S);
        QCOMPARE(f.ps().Game.State, 1);
    }

    void markingTogglesAndDecidesNothing()
    {
        PlayFixture f;
        f.pressLevel(0);
        f.chooseMode(2);
        const int wrong = f.wrongShelf(1);
        f.clickShelf(wrong);
        QCOMPARE(int(f.ps().T_Pic_Self[wrong].Mode), 1);
        f.clickItem(wrong, 2);
        QCOMPARE(int(f.ps().T_Pic_Self[wrong].Mode), 0);
        f.clickShelf(f.ps().Correct_S);
        QCOMPARE(int(f.ps().T_Pic_Self[f.ps().Correct_S].Mode), 1);
        QCOMPARE(f.ps().Game.State, 0);
        QCOMPARE(f.shownShelves(), 6);
        QCOMPARE(f.message(), QString());
    }

    void deleteRemovesTheMarkedShelves_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("marked");
        QTest::addColumn<int>("expectedState");
        QTest::newRow("level 1, none marked") << 0 << 0 << 0;
        QTest::newRow("level 1, two marked") << 0 << 2 << 0;
        QTest::newRow("level 1, every wrong one marked") << 0 << 5 << 1;
        QTest::newRow("level 3, every wrong one marked") << 2 << 11 << 1;
    }
    void deleteRemovesTheMarkedShelves()
    {
        QFETCH(int, level);
        QFETCH(int, marked);
        QFETCH(int, expectedState);
        PlayFixture f;
        f.pressLevel(level);
        f.chooseMode(2);
        for (int n = 0; n < marked; ++n)
            f.clickShelf(f.wrongShelf(n));
        f.pressDelete();
        QCOMPARE(f.ps().Game.State, expectedState);
        QCOMPARE(f.form->CountVisibleShelves(), f.ps().N_Self - marked);
        for (int n = 0; n < marked; ++n) {
            QVERIFY(f.shelf(f.wrongShelf(n))->isHidden());
            QCOMPARE(int(f.ps().T_Pic_Self[f.wrongShelf(n)].Mode), 1);  // the marks stay
        }
    }

    void marksSurviveAModeChange()
    {
        PlayFixture f;
        f.pressLevel(1);
        f.chooseMode(2);
        f.clickShelf(f.wrongShelf(2));
        f.clickShelf(f.wrongShelf(4));
        f.chooseMode(0);
        QCOMPARE(int(f.ps().T_Pic_Self[f.wrongShelf(2)].Mode), 1);
        f.pressDelete();
        QVERIFY(f.shelf(f.wrongShelf(2))->isHidden());
        QVERIFY(f.shelf(f.wrongShelf(4))->isHidden());
        QCOMPARE(f.form->CountVisibleShelves(), 10);
        // Mode 0 still removes by click, and the last wrong shelf wins.
        for (int n = 0; n < 11; ++n)
            if (n != 2 && n != 4)
                f.clickShelf(f.wrongShelf(n));
        QCOMPARE(f.ps().Game.State, 1);
    }

    void aFinishedGameTakesNoClicks_data()
    {
        QTest::addColumn<bool>("won");
        QTest::newRow("won") << true;
        QTest::newRow("lost") << false;
    }
    void aFinishedGameTakesNoClicks()
    {
        QFETCH(bool, won);
        PlayFixture f;
        f.pressLevel(0);
        f.chooseMode(1);
        if (won) {
            f.clickShelf(f.ps().Correct_S);
        } else {
            f.chooseMode(0);
            f.clickShelf(f.ps().Correct_S);
        }
        const int state = f.ps().Game.State;
        const QString message = f.message();
        const int cues = f.form->cuesStarted();
        // Every mode, shelves and items, and the delete button: nothing changes.
        for (int mode = 0; mode < 3; ++mode) {
            f.chooseMode(mode);
            for (int i = 0; i < 6; ++i) {
                f.clickShelf(i);
                f.clickItem(i, 1);
            }
            f.pressDelete();
        }
        // Called directly, the handlers keep the same rule.
        f.chooseMode(2);
        f.form->p_Nr_MouseDown(f.shelf(f.wrongShelf()), Qt::LeftButton, {}, 1, 1);
        f.form->sb_DeleteClick();
        QCOMPARE(f.ps().Game.State, state);
        QCOMPARE(f.message(), message);
        QCOMPARE(f.form->cuesStarted(), cues);
        QCOMPARE(f.shownShelves(), 6);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(int(f.ps().T_Pic_Self[i].Mode), 0);
    }
};

QTEST_MAIN(TestShelfInteraction)
#include "test_shelf_interaction.moc"
