// SPDX-License-Identifier: GPL-3.0-or-later
// Guards the shelf panel operations every part of the play relies on: which
// frame is current, the neutral look a reset gives back, the mode's cursor
// on the shelves only, counting the shelves on the table by their own
// visibility, and the colours of the matching shelf.

#include "app/cursors.h"
#include "play_fixture.h"

#include <QtTest>

namespace {

const QColor kNeutral(0x80, 0x40, 0x40);

bool sameCursor(const QCursor& a, const QCursor& b)
{
    if (a.shape() != b.shape() || a.hotSpot() != b.hotSpot())
        return false;
    return a.shape() != Qt::BitmapCursor || a.pixmap().toImage() == b.pixmap().toImage();
}

QStringList shelfNames(int count)
{
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << (count == 6 ? QStringLiteral("p_No_%1").arg(i)
                             : QStringLiteral("P_Nr_%1").arg(QString::number(i, 16).toUpper()));
    return names;
}

}  // namespace

class TestShelfPanels : public QObject {
    Q_OBJECT

private slots:
    void resetGivesBackTheNeutralLook_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("shelves");
        QTest::addColumn<int>("width");
        QTest::newRow("level 1") << 0 << 6 << 250;
        QTest::newRow("level 2") << 1 << 12 << 200;
        QTest::newRow("level 4") << 3 << 12 << 200;
    }
    void resetGivesBackTheNeutralLook()
    {
        QFETCH(int, level);
        QFETCH(int, shelves);
        QFETCH(int, width);
        PlayFixture f;
        f.pressLevel(level);
        const QStringList names = shelfNames(shelves);
        // Spoil every shelf the ways the game and the presenter do.
        for (const QString& name : names) {
            Panel* shelf = f.panel(name);
            shelf->setColor(Qt::yellow);
            shelf->setParentColor(true);
            shelf->setParentBackground(true);
            shelf->setEnabled(false);
            shelf->resize(77, shelf->height());
            shelf->hide();
        }
        f.form->ResetShelfPanels(true);
        for (const QString& name : names) {
            Panel* shelf = f.panel(name);
            QVERIFY2(!shelf->isHidden(), qPrintable(name));
            QVERIFY(shelf->isEnabled());
            QCOMPARE(shelf->color(), kNeutral);
            QVERIFY(!shelf->parentColor());
            QVERIFY(!shelf->parentBackground());
            QCOMPARE(shelf->width(), width);
        }
        QCOMPARE(f.form->CountVisibleShelves(), shelves);
    }

    void resetHidesOnlyTheCurrentFrame()
    {
        PlayFixture f;
        f.pressLevel(1);  // twelve shelves shown
        f.pressLevel(0);  // warm-up: the six-shelf frame becomes current
        f.form->ResetShelfPanels(false);
        for (const QString& name : shelfNames(6))
            QVERIFY2(f.panel(name)->isHidden(), qPrintable(name));
        QVERIFY(f.panel(QStringLiteral("p_V1"))->isHidden());
        QVERIFY(f.panel(QStringLiteral("p_V2"))->isHidden());
        // The other frame's shelves keep their own visibility.
        for (const QString& name : shelfNames(12))
            QVERIFY2(!f.panel(name)->isHidden(), qPrintable(name));
        QVERIFY(!f.panel(QStringLiteral("p_W1"))->isHidden());
    }

    void beforeAnyLevelTheTwelveShelfFrameIsCurrent()
    {
        PlayFixture f;
        QCOMPARE(f.ps().N_Level, -1);
        Panel* large = f.panel(QStringLiteral("p_No_0"));
        large->hide();
        large->resize(111, large->height());
        f.form->ResetShelfPanels(true);
        QCOMPARE(f.form->CountVisibleShelves(), 12);
        QCOMPARE(f.panel(QStringLiteral("P_Nr_B"))->width(), 200);
        // The six-shelf frame is not touched.
        QVERIFY(large->isHidden());
        QCOMPARE(large->width(), 111);
    }

    void countIgnoresTheRows()
    {
        PlayFixture f;
        f.pressLevel(0);
        for (int n = 0; n < 4; ++n)
            f.form->chooseShelf(f.wrongShelf(n));
        QCOMPARE(f.form->CountVisibleShelves(), 2);
        f.panel(QStringLiteral("p_V1"))->hide();
        f.panel(QStringLiteral("p_V2"))->hide();
        QCOMPARE(f.form->CountVisibleShelves(), 2);
    }

    void cursorFollowsTheMode_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("mode");
        QTest::newRow("level 1, remove") << 0 << 0;
        QTest::newRow("level 1, point") << 0 << 1;
        QTest::newRow("level 3, mark") << 2 << 2;
        QTest::newRow("level 3, point") << 2 << 1;
    }
    void cursorFollowsTheMode()
    {
        QFETCH(int, level);
        QFETCH(int, mode);
        PlayFixture f;
        QVERIFY(!sameCursor(registeredCursor(150), registeredCursor(151 + (mode == 2 ? 1 : 0))));
        f.pressLevel(level);
        for (int i = 0; i < f.ps().N_Self; ++i)
            QVERIFY(sameCursor(f.shelf(i)->cursor(), registeredCursor(150)));
        // Changed in the middle of the game, the cursor changes at once.
        f.chooseMode(mode);
        for (int i = 0; i < f.ps().N_Self; ++i) {
            QVERIFY(sameCursor(f.shelf(i)->cursor(), registeredCursor(150 + mode)));
            QVERIFY2(!f.item(i, 0)->testAttribute(Qt::WA_SetCursor), "item images keep the default cursor");
        }
    }

    void highlightColoursTheMatchingShelf_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("presenter shows") << -5 << QColor(0xFF, 0xFF, 0x00);
        QTest::newRow("presenter hides") << -4 << kNeutral;
        QTest::newRow("lost") << -2 << QColor(0xFF, 0x00, 0x00);
        QTest::newRow("won") << 1 << QColor(0x00, 0xFF, 0x00);
        QTest::newRow("mistake keeps the colour") << -1 << QColor(0x12, 0x34, 0x56);
        QTest::newRow("other code keeps the colour") << 7 << QColor(0x12, 0x34, 0x56);
    }
    void highlightColoursTheMatchingShelf()
    {
        QFETCH(int, code);
        QFETCH(QColor, colour);
        PlayFixture f;
        f.pressLevel(2);
        Panel* matching = f.shelf(f.ps().Correct_S);
        Panel* other = f.shelf(f.wrongShelf());
        matching->setColor(QColor(0x12, 0x34, 0x56));
        matching->setParentColor(true);
        matching->setParentBackground(true);
        f.form->HighlightMatchingShelf(code);
        QCOMPARE(matching->color(), colour);
        // A code that colours nothing leaves the shelf exactly as it was.
        const bool coloured = colour != QColor(0x12, 0x34, 0x56);
        QCOMPARE(matching->parentColor(), !coloured);
        QCOMPARE(matching->parentBackground(), !coloured);
        QCOMPARE(other->color(), kNeutral);
    }

    void highlightWithoutAGameColoursNothing()
    {
        PlayFixture f;
        Panel* menu = f.panel(QStringLiteral("p_Menu"));
        const QColor menuColour = menu->color();
        f.form->HighlightMatchingShelf(-5);
        QCOMPARE(menu->color(), menuColour);
        for (const QString& name : shelfNames(12))
            QCOMPARE(f.panel(name)->color(), kNeutral);
    }
};

QTEST_MAIN(TestShelfPanels)
#include "test_shelf_panels.moc"
