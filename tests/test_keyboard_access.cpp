// SPDX-License-Identifier: GPL-3.0-or-later
// Guards the play without a mouse and what a screen reader reads: whole
// games from the keys alone, the focus over the shelves on screen, keys
// doing nothing where a click would do nothing, the focus ring seen only
// after a key press, the names, roles and states of the controls, and what
// a screen reader is told unasked.

#include "app/announcements.h"
#include "app/keyboard.h"
#include "play_fixture.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QSignalSpy>
#include <QCryptographicHash>
#include <QtTest>

namespace {

// Digests of the shelf frame grabbed right after the deal of PlayFixture's
// seed on levels 1 and 4, computed with the build from before keyboard play
// existed (a Qt Test run printing QCryptographicHash::Sha1 over the RGB32
// rows of p_Fr_06 / p_Fr_12 ->grab()). A mouse-only screen still looks so.
const char* const kMouseOnlyFrame[2] = {"97880d032eb6960a25ddf32698c760da7a6d9ccd",
                                         "feabb8f6fff07989a76d9e3ca523d2fc5ee51eef"};

QByteArray digestOf(const QImage& grab)
{
    const QImage image = grab.convertToFormat(QImage::Format_RGB32);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (int y = 0; y < image.height(); ++y)
        hash.addData(QByteArrayView(reinterpret_cast<const char*>(image.constScanLine(y)), image.width() * 4));
    return hash.result().toHex();
}

}  // namespace

class TestKeyboardAccess : public QObject {
    Q_OBJECT

    // Runs a script of steps: "k:X" presses key X ("S-X" with Shift, "r:X"
    // held down and repeating), "match"/"wrong" walk the focus with the
    // arrow keys to the matching / first wrong shelf on the table, "each"
    // walks to every wrong shelf and presses Enter, "hide:C" takes shelf C
    // off the table, "off:NAME" disables a control, "tick:N" runs the clock
    // N ticks, "mouse" clicks the message bar.
    static void run(PlayFixture& f, const QString& script)
    {
        for (const QString& step : script.split(u' ', Qt::SkipEmptyParts)) {
            const QString arg = step.section(u':', 1);
            if (step.startsWith(u"k:") || step.startsWith(u"S-") || step.startsWith(u"r:"))
                press(f, arg.isEmpty() ? step.mid(2) : arg, step.startsWith(u"S-"), step.startsWith(u"r:"));
            else if (step == u"match")
                walkTo(f, f.ps().Correct_S);
            else if (step == u"wrong")
                walkTo(f, f.wrongShelf());
            else if (step == u"each") {
                for (int i = 0; i < f.ps().N_Self; ++i)
                    if (i != f.ps().Correct_S && f.shelf(i)->isVisible()) {
                        walkTo(f, i);
                        press(f, QStringLiteral("Enter"));
                    }
            } else if (step.startsWith(u"hide:"))
                f.shelf(arg.toInt(nullptr, 16))->hide();
            else if (step.startsWith(u"off:"))
                f.form->control(arg)->setEnabled(false);
            else if (step.startsWith(u"tick:"))
                f.tick(arg.toInt());
            else if (step == u"mouse")
                QTest::mouseClick(f.panel(QStringLiteral("p_Komunikat")), Qt::LeftButton);
            else if (step == u"click-wrong")
                f.clickShelf(f.wrongShelf(1));
        }
    }
    static void press(PlayFixture& f, const QString& name, bool shift = false, bool repeat = false)
    {
        const int key = QKeySequence(name)[0].key();
        const Qt::KeyboardModifiers mods = shift ? Qt::ShiftModifier : Qt::NoModifier;
        QKeyEvent down(QEvent::KeyPress, key, mods, name.size() == 1 ? name : QString(), repeat);
        QKeyEvent up(QEvent::KeyRelease, key, mods, name.size() == 1 ? name : QString(), repeat);
        QApplication::sendEvent(f.form.get(), &down);
        QApplication::sendEvent(f.form.get(), &up);
    }
    // The arrow keys only, as a pupil would move: down or up to the row, then along it.
    static void walkTo(PlayFixture& f, int target)
    {
        QWidget* goal = f.shelf(target);
        for (int step = 0; step < 16 && f.form->focusWidget() != goal; ++step) {
            QWidget* at = f.form->focusWidget();
            const QPoint d = goal->mapTo(f.form.get(), QPoint()) - (at ? at->mapTo(f.form.get(), QPoint()) : QPoint());
            press(f, !at || !f.shownShelves() ? QStringLiteral("Home")
                     : d.y() > 0              ? QStringLiteral("Down")
                     : d.y() < 0              ? QStringLiteral("Up")
                     : d.x() > 0              ? QStringLiteral("Right")
                                              : QStringLiteral("Left"));
        }
        QCOMPARE(f.form->focusWidget(), goal);
    }
    static QString focusedShelf(PlayFixture& f)
    {
        auto* panel = qobject_cast<Panel*>(f.form->focusWidget());
        return panel && tagOf(panel) >= 100 ? panel->caption().trimmed() : QString();
    }

    // What the test content calls picture p: its archive name on the lists
    // without name forms (pictures 0 .. 7), else its list's nominative.
    static QString contentName(int p)
    {
        return p < 8 ? QStringLiteral("obraz %1").arg(p) : TestContent::itemForms(p - 8).first();
    }
    static QString expectedShelfName(PlayFixture& f, int i)
    {
        QStringList items;
        const QString& codes = f.ps().T_Pic_Self[size_t(i)].Pict;
        for (int at = 0; at < codes.size(); at += 5)
            items << contentName(codes.mid(at, 5).toInt());
        return QStringLiteral("Półka %1: ").arg(f.shelf(i)->caption().trimmed()) + items.join(QStringLiteral(", "));
    }
    // The description as shown, each pictogram replaced by the name of the
    // picture (of the list without names) whose colour it shows, each dot read as a full stop.
    static QString expectedDescription(PlayFixture& f)
    {
        QString text = f.description()->plainText();
        for (const QImage& pictogram : f.description()->pictures()) {
            const QColor centre = pictogram.pixelColor(pictogram.rect().center());
            const auto distance = [&](int p) {
                const QColor c = TestContent::pictureColour(p);
                return std::abs(c.red() - centre.red()) + std::abs(c.green() - centre.green())
                       + std::abs(c.blue() - centre.blue());
            };
            int p = 0;
            for (int q = 1; q < 8; ++q)
                p = distance(q) < distance(p) ? q : p;
            text.replace(text.indexOf(QChar(0xFFFC)), 1, contentName(p));
        }
        text = text.replace(QChar(0x98), u'.').replace(QRegularExpression(QStringLiteral("\\s+\\.")), QStringLiteral(".")).simplified();
        // Every sentence begins with a capital letter.
        for (qsizetype at = 0; at >= 0 && at < text.size(); at = text.indexOf(QStringLiteral(". "), at) + 2) {
            text[at] = text[at].toUpper();
            if (text.indexOf(QStringLiteral(". "), at) < 0)
                break;
        }
        return text;
    }

private slots:
    void keys_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("state");      // Game.State afterwards
        QTest::addColumn<int>("level");      // N_Level afterwards
        QTest::addColumn<int>("shown");      // shelves on the table, -1 unchecked
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");  // caption of the focused shelf, "" unchecked

        QTest::newRow("level 1, removing every wrong shelf wins") << "k:1 each" << 1 << 0 << 1 << "Brawo! Gra zakończona" << "";
        QTest::newRow("level 1, removing the matching shelf loses") << "k:1 match k:Enter" << -2 << 0 << 6 << "Pomyłka! Koniec gry" << "";
        QTest::newRow("level 4, pointing wins") << "k:4 k:W match k:Return" << 1 << 3 << 12 << "Brawo! Gra zakończona" << "";
        QTest::newRow("level 4, marking the matching one loses") << "k:4 k:Z match k:Space wrong k:Space k:Delete" << -2 << 3 << 12 << "Pomyłka! Koniec gry" << "";
        QTest::newRow("level 4, marking every wrong one wins") << "k:4 k:Z each k:Backspace" << 1 << 3 << 1 << "Brawo! Gra zakończona" << "";
        QTest::newRow("level 1, timed, pointing wins") << "k:R k:1 k:W match k:Enter" << 1 << 0 << 6 << "Dobrze! W czasie 0,0 s ukończona pierwsza gra tej rundy." << "";
        QTest::newRow("level 4, timed, mistake then removal loses") << "k:R k:4 k:W wrong k:Enter k:U match k:Enter" << -2 << 3 << 12 << "Pomyłka! Koniec gry" << "";
        QTest::newRow("letters with Shift") << "S-R S-3 S-W match S-Space" << 1 << 2 << 12 << "Dobrze! W czasie 0,0 s ukończona pierwsza gra tej rundy." << "";
        QTest::newRow("a finished game takes no keys") << "k:1 k:W match k:Enter k:Right k:Down k:Delete" << 1 << 0 << 6 << "Brawo! Gra zakończona" << "";
        QTest::newRow("a disabled level button takes no key") << "off:sb_Level_3 k:4" << 0 << -1 << -1 << "" << "";
        QTest::newRow("a disabled delete button takes no key") << "k:2 k:Z match k:Enter off:sb_Delete k:Delete" << 0 << 1 << 12 << "" << "";
        QTest::newRow("rules shown: only F1 or Esc count") << "k:F1 k:1 k:Escape k:2" << 0 << 1 << 12 << "" << "9";
        QTest::newRow("a held key acts once") << "k:2 k:W r:Enter" << 0 << 1 << 12 << "" << "9";
        QTest::newRow("after a deal: top-left shelf") << "k:1" << 0 << 0 << 6 << "" << "3";
        QTest::newRow("End, Up") << "k:1 k:End k:Up" << 0 << 0 << 6 << "" << "5";
        QTest::newRow("Right skips a removed shelf") << "k:4 hide:A k:Home k:Right" << 0 << 3 << 11 << "" << "B";
        QTest::newRow("Down skips removed rows") << "k:4 hide:6 hide:3 k:Home k:Down" << 0 << 3 << 10 << "" << "0";
        QTest::newRow("Left at the row's start stays") << "k:4 hide:9 k:Home k:Left" << 0 << 3 << 11 << "" << "A";
        QTest::newRow("Tab from the last shelf to the sound button and back") << "k:1 k:End k:Tab S-Backtab" << 0 << 0 << 6 << "" << "2";
        QTest::newRow("a mouse click keeps the focus") << "k:1 k:Right mouse" << 0 << 0 << 6 << "" << "4";
    }
    void keys()
    {
        QFETCH(QString, script);
        QFETCH(int, state);
        QFETCH(int, level);
        QFETCH(int, shown);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        PlayFixture f;
        run(f, script);
        QCOMPARE(f.ps().Game.State, state);
        QCOMPARE(f.ps().N_Level, level);
        if (shown >= 0)
            QCOMPARE(f.shownShelves(), shown);
        QCOMPARE(f.message(), message);
        if (!focus.isEmpty())
            QCOMPARE(focusedShelf(f), focus);
    }

    void ringOnlyAfterKeys_data()
    {
        QTest::addColumn<int>("level");
        QTest::newRow("level 1") << 0;
        QTest::newRow("level 4") << 3;
    }
    void ringOnlyAfterKeys()
    {
        QFETCH(int, level);
        PlayFixture f;
        f.pressLevel(level);
        QWidget* frame = f.form->control(level == 0 ? "p_Fr_06" : "p_Fr_12");
        QCOMPARE(digestOf(frame->grab().toImage()), QByteArray(kMouseOnlyFrame[level == 0 ? 0 : 1]));
        const QImage mouseOnly = f.form->grab().toImage();
        press(f, QStringLiteral("Right"));
        QVERIFY(f.form->grab().toImage() != mouseOnly);
        run(f, QStringLiteral("mouse"));
        QCOMPARE(f.form->grab().toImage(), mouseOnly);
    }
    void accessibleNames_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("target");  // object name, "matching", "wrong" or "clock"
        QTest::addColumn<QString>("name");    // "" stands for what the content says
        QTest::addColumn<int>("role");
        QTest::addColumn<int>("checked");     // -1 not checkable
        QTest::addColumn<QString>("description");

        const int radio = QAccessible::RadioButton, check = QAccessible::CheckBox, button = QAccessible::Button;
        QTest::newRow("level 1") << "" << "sb_Level_0" << "Poziom 1" << radio << 0 << "1. poziom ";
        QTest::newRow("level 4, pressed") << "k:4" << "sb_Level_3" << "Poziom 4" << radio << 1 << "4. poziom ";
        QTest::newRow("remove mode") << "" << "sb_Mode_0" << "Tryb usuwania półki, która nie pasuje do opisu" << radio << 1 << "";
        QTest::newRow("point mode") << "k:Z" << "sb_Mode_1" << "Tryb wskazywania półki, która pasuje do opisu" << radio << 0 << "";
        QTest::newRow("mark mode") << "k:Z" << "sb_Mode_2" << "Tryb zaznaczania półek, które nie pasują do opisu" << radio << 1 << "";
        QTest::newRow("delete") << "" << "sb_Delete" << "Usuwanie zaznaczonych półek" << button << -1 << "";
        QTest::newRow("warm-up") << "" << "tb_Warm_Play" << "Tryb gry: rozgrzewka" << check << 0 << "";
        QTest::newRow("timed play") << "k:R" << "tb_Warm_Play" << "Tryb gry: gra na czas" << check << 1 << "";
        QTest::newRow("sound on") << "" << "tb_Sound_1" << "Dźwięk włączony" << check << 1 << "Włącz / wyłącz dźwięki";
        QTest::newRow("sound off") << "k:D" << "tb_Sound_2" << "Dźwięk wyłączony" << check << 0 << "Włącz / wyłącz dźwięki";
        QTest::newRow("rules") << "" << "tb_Help_0" << "Zasady gry" << button << -1 << "";
        QTest::newRow("message bar") << "k:2 k:W wrong k:Enter" << "p_Komunikat" << "Pomyłka! Graj dalej" << int(QAccessible::StaticText) << -1 << "";
        QTest::newRow("results table") << "k:R k:3 k:W match k:Enter" << "p_Result_2" << "Wyniki" << int(QAccessible::Table) << -1 << "";
        QTest::newRow("round clock") << "k:R k:1 tick:15" << "clock" << "Czas rundy: zostało 119 s" << int(QAccessible::StaticText) << -1 << "";
        QTest::newRow("window") << "" << "window" << "Trefolia" << int(QAccessible::Window) << -1 << "";
        QTest::newRow("shelf, level 1") << "k:1" << "wrong" << "" << int(QAccessible::ListItem) << -1 << "";
        QTest::newRow("shelf, level 4, marked") << "k:4 k:Z wrong k:Space" << "wrong" << "" << int(QAccessible::ListItem) << 1 << "zaznaczona";
        QTest::newRow("shelf, level 3, lost") << "k:3 match k:Enter" << "matching" << "" << int(QAccessible::ListItem) << -1 << "pasuje do opisu";
        QTest::newRow("shelf, level 2, won") << "k:2 k:W match k:Enter" << "wrong" << "" << int(QAccessible::ListItem) << -1 << "nie pasuje do opisu";
        QTest::newRow("description, pictures") << "k:1" << "rve_Text" << "" << int(QAccessible::StaticText) << -1 << "";
        QTest::newRow("description, words") << "k:4" << "rve_Text" << "" << int(QAccessible::StaticText) << -1 << "";
    }
    void accessibleNames()
    {
        QFETCH(QString, script);
        QFETCH(QString, target);
        QFETCH(QString, name);
        QFETCH(int, role);
        QFETCH(int, checked);
        QFETCH(QString, description);
        PlayFixture f;
        run(f, script);
        QObject* object = target == u"matching" ? f.shelf(f.ps().Correct_S)
                          : target == u"wrong"  ? f.shelf(f.wrongShelf())
                          : target == u"clock"  ? f.clock()
                          : target == u"window" ? static_cast<QObject*>(f.form.get())
                                                : f.form->control(target);
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
        QVERIFY(iface);
        if (name.isEmpty() && target == u"rve_Text") {
            name = expectedDescription(f);
            QVERIFY(!name.contains(QChar(0xFFFC)) && name.endsWith(u'.'));
            QCOMPARE(iface->textInterface()->text(0, iface->textInterface()->characterCount()), name);
            QVERIFY(!iface->state().focusable);
        } else if (name.isEmpty()) {
            name = expectedShelfName(f, tagOf(object) % 100);
        }
        QCOMPARE(iface->text(QAccessible::Name), name);
        QCOMPARE(int(iface->role()), role);
        QCOMPARE(checked < 0 ? -1 : int(iface->state().checked), checked);
        if (!description.isEmpty())
            QCOMPARE(iface->text(QAccessible::Description), description);
        if (target == u"p_Result_2") {  // level 3: one game, won in 0.0 s, which counts for no best time
            const QStringList row{"Poziom 3", "1", "?"};
            for (int column = 0; column < 3; ++column)
                QCOMPARE(iface->tableInterface()->cellAt(2, column)->text(QAccessible::Name), row[column]);
            QCOMPARE(iface->tableInterface()->cellAt(0, 1)->text(QAccessible::Name), QStringLiteral("0"));
        }
        if (target == u"clock")  // 1.5 s gone: 118.5 s left, said as 119
            QCOMPARE(iface->valueInterface()->currentValue().toInt(), 119);
    }

    // Orca takes the outermost frame for the window: the window alone is
    // one, and decorations are left out.
    void windowAndDecorations()
    {
        PlayFixture f;
        for (QWidget* control : f.form->findChildren<QWidget*>()) {
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control);
            QVERIFY2(iface->role() != QAccessible::Window && iface->role() != QAccessible::Border,
                     qPrintable(control->objectName()));
        }
        for (const char* decoration : {"i_Logo", "i_AllRights", "i_Projekt_0", "i_Projekt_1"})
            QVERIFY(QAccessible::queryAccessibleInterface(f.form->control(decoration))->state().invisible);
        QVERIFY(!f.form->accessibleDescription().contains(u"Klawisze"));
    }

    // The focus moves only by the pupil's keys and by a deal: never over
    // the shelves as they leave the table, never by itself after a game.
    void focusMoves_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("last");   // the key watched
        QTest::addColumn<QString>("focus");  // object name of the focus afterwards, "" none, "?" unchecked
        QTest::addColumn<int>("moves");      // focus changes during that key
        QTest::newRow("R from a shelf: to the switch") << "k:1 k:Right" << "R" << "tb_Warm_Play" << 1;
        QTest::newRow("a deal from a shelf: its first shelf") << "k:3 k:End" << "4" << "P_Nr_9" << 2;
        QTest::newRow("a won game keeps the focus off the buttons") << "k:1 k:W match" << "Enter" << "" << 1;
        QTest::newRow("a level key after it deals") << "k:1 k:W match k:Enter" << "2" << "P_Nr_9" << 1;
        QTest::newRow("a removed shelf: straight to its neighbour") << "k:1 wrong" << "Enter" << "?" << 1;
        QTest::newRow("deleted shelves: straight to one that stays") << "k:4 k:Z k:Home k:Space k:Right k:Space k:Left" << "Delete" << "?" << 1;
    }
    void focusMoves()
    {
        QFETCH(QString, script);
        QFETCH(QString, last);
        QFETCH(QString, focus);
        QFETCH(int, moves);
        PlayFixture f;
        f.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
        run(f, script);
        QSignalSpy changes(qApp, &QApplication::focusChanged);
        press(f, last);
        if (focus != u"?")
            QCOMPARE(f.form->focusWidget() ? f.form->focusWidget()->objectName() : QString(), focus);
        QCOMPARE(int(changes.count()), moves);
    }

    // At start the rules cover the window: only how to leave them and have
    // them read is told, never the whole text unasked.
    void rulesAtStart()
    {
        QTemporaryDir dir;
        TestContent::writeContentDir(dir.path() + QStringLiteral("/Base"), 8);
        T_Form form(StartupEnvironment{dir.path(), 96, {1280, 1024}});
        QStringList announced;
        connect(form.findChild<Announcer*>(), &Announcer::announced, this,
                [&](const QString& text) { announced << text; });
        form.show();
        QCOMPARE(announced.size(), 1);
        QVERIFY(announced[0].startsWith(u"Zasady gry.") && announced[0].contains(u"Esc"));
        QVERIFY(!announced[0].contains(u"Klawisze") && announced[0].size() < 100);
    }

    // Told unasked, in order: the description after a deal, every message,
    // a shelf's new mark, the rules when shown ("rules": the rules with the
    // keys; "description": what the description reads).
    void announcements_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("told");
        QTest::newRow("deal, mistake") << "k:2 k:W wrong k:Enter" << QStringList{"description", "Pomyłka! Graj dalej"};
        QTest::newRow("deal, win") << "k:1 k:W match k:Enter" << QStringList{"description", "Brawo! Gra zakończona"};
        QTest::newRow("mark, unmark") << "k:4 k:Z wrong k:Space k:Space" << QStringList{"description", "zaznaczona", "niezaznaczona"};
        QTest::newRow("a mark by the mouse") << "k:4 k:Z click-wrong" << QStringList{"description", "zaznaczona"};
        QTest::newRow("a mode key tells nothing") << "k:3 k:Z k:U k:Right" << QStringList{"description"};
        QTest::newRow("timed play, warm-up") << "k:R k:R" << QStringList{"Gra na czas", "Rozgrzewka"};
        QTest::newRow("a mistake repeated") << "k:2 k:W wrong k:Enter k:Enter" << QStringList{"description", "Pomyłka! Graj dalej", "Pomyłka! Graj dalej"};
        QTest::newRow("round clock near its end, round over") << "k:R k:1 tick:1200" << QStringList{"Gra na czas", "description", "Zostało 60 s", "Zostało 30 s", "Zostało 10 s", "Upłynął czas! Koniec rundy"};
        QTest::newRow("a mistake's charge passes a mark once") << "k:R k:2 tick:500 k:W wrong k:Enter" << QStringList{"Gra na czas", "description", "Pomyłka! Graj dalej", "Zostało 52 s"};
        QTest::newRow("rules on F1, none on Esc") << "k:F1 k:Escape" << QStringList{"rules"};
    }
    void announcements()
    {
        QFETCH(QString, script);
        QFETCH(QStringList, told);
        PlayFixture f;
        QStringList announced;
        connect(f.form->findChild<Announcer*>(), &Announcer::announced, this,
                [&](const QString& text) { announced << text; });
        run(f, script);
        const QString description =
            QAccessible::queryAccessibleInterface(f.description())->text(QAccessible::Name);
        for (QString& line : told)
            if (line == u"description")
                line = description;
        if (told.contains(u"rules")) {
            QCOMPARE(announced.size(), 1);
            QVERIFY(announced[0].startsWith(u"Zasady gry. Znajdź półkę"));
            QVERIFY(announced[0].contains(KeyboardNavigator::keyList()));
            return;
        }
        QVERIFY(!description.isEmpty() || !told.contains(QString()));
        QCOMPARE(announced, told);
    }
};

QTEST_MAIN(TestKeyboardAccess)
#include "test_keyboard_access.moc"
