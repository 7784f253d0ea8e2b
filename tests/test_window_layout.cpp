// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's layout: where the controls the game finds by name or by
// tag lie, so the shelves, the menu bar and the hidden helpers stay where
// the game and the player expect them.
#include "app/t_form.h"
#include "support/test_support.h"

#include <QButtonGroup>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QTest>

namespace {

// The rectangle of `w` in the coordinates of the window.
QRect inWindow(const QWidget* w, const QWidget* window)
{
    return QRect(w->mapTo(window, QPoint(0, 0)), w->size());
}

}  // namespace

class TestWindowLayout : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QVERIFY(dir.isValid());
        recorder = std::make_unique<BoxRecorder>();
        form = std::make_unique<T_Form>(programIn(dir));
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QVERIFY(recorder->boxes.isEmpty());
    }
    void cleanup()
    {
        form.reset();
        recorder.reset();
    }

    void clientAreaIsFixed()
    {
        QCOMPARE(form->size(), QSize(794, 570));
        QCOMPARE(form->minimumSize(), QSize(794, 570));
        QCOMPARE(form->maximumSize(), QSize(794, 570));
        QVERIFY(!(form->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(form->windowTitle(), QStringLiteral("Trefolia"));
    }

    void gameAreaBands_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("rect");
        QTest::newRow("menu bar") << "p_Menu" << QRect(1, 1, 792, 63);
        QTest::newRow("description") << "rve_Text" << QRect(1, 64, 792, 60);
        QTest::newRow("twelve-shelf frame") << "p_Fr_12" << QRect(1, 124, 792, 225);
        QTest::newRow("message bar") << "p_Komunikat" << QRect(1, 349, 792, 22);
        QTest::newRow("lower panel") << "p_Rest" << QRect(1, 371, 792, 181);
        QTest::newRow("footer") << "i_AllRights" << QRect(1, 552, 792, 17);
        QTest::newRow("warm-up picture") << "i_Graph" << QRect(2, 372, 790, 179);
        QTest::newRow("round clock") << "pb_Note" << QRect(1, 535, 792, 17);
        QTest::newRow("help overlay") << "_Help" << QRect(0, 0, 794, 570);
    }
    void gameAreaBands()
    {
        QFETCH(QString, name);
        QFETCH(QRect, rect);
        QWidget* w = form->control(name);
        QVERIFY2(w, qPrintable(name));
        QCOMPARE(inWindow(w, form.get()), rect);
    }

    void menuBarButtons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("tag");
        QTest::newRow("logo") << "i_Logo" << 0 << 223 << 1000;
        QTest::newRow("warm/play") << "tb_Warm_Play" << 223 << 94 << 0;
        QTest::newRow("mode 0") << "sb_Mode_0" << 317 << 63 << 0;
        QTest::newRow("mode 1") << "sb_Mode_1" << 380 << 63 << 1;
        QTest::newRow("mode 2") << "sb_Mode_2" << 443 << 63 << 2;
        QTest::newRow("delete") << "sb_Delete" << 529 << 63 << 0;
        QTest::newRow("level 1") << "sb_Level_0" << 592 << 50 << 0;
        QTest::newRow("level 2") << "sb_Level_1" << 642 << 50 << 1;
        QTest::newRow("level 3") << "sb_Level_2" << 692 << 50 << 2;
        QTest::newRow("level 4") << "sb_Level_3" << 742 << 50 << 3;
    }
    void menuBarButtons()
    {
        QFETCH(QString, name);
        QFETCH(int, x);
        QFETCH(int, width);
        QFETCH(int, tag);
        QWidget* w = form->control(name);
        QVERIFY2(w, qPrintable(name));
        QCOMPARE(w->parentWidget()->objectName(), QStringLiteral("p_Menu"));
        QCOMPARE(w->geometry(), QRect(x, 0, width, 63));
        QCOMPARE(tagOf(w), tag);
    }

    void buttonGroups()
    {
        // Levels and modes are exclusive groups; the warm/play switch and the
        // sound buttons toggle on their own; delete is a plain push button.
        auto* level0 = form->control<FlatButton>("sb_Level_0");
        auto* level2 = form->control<FlatButton>("sb_Level_2");
        QVERIFY(level0->group() && level0->group()->exclusive());
        QCOMPARE(level0->group(), level2->group());
        auto* mode0 = form->control<FlatButton>("sb_Mode_0");
        auto* mode1 = form->control<FlatButton>("sb_Mode_1");
        QVERIFY(mode0->group() && mode0->group()->exclusive());
        QCOMPARE(mode0->group(), mode1->group());
        QVERIFY(mode0->group() != level0->group());

        QTest::mouseClick(mode1, Qt::LeftButton);
        QVERIFY(mode1->isChecked());
        QVERIFY(!mode0->isChecked());
        QTest::mouseClick(mode1, Qt::LeftButton);
        QVERIFY2(mode1->isChecked(), "a mode button stays down when pressed again");

        auto* del = form->control<FlatButton>("sb_Delete");
        QVERIFY(!del->isCheckable());
        auto* warm = form->control<FlatButton>("tb_Warm_Play");
        QVERIFY(warm->isCheckable());
        QVERIFY(!warm->group());
        for (const char* name : {"tb_Sound_1", "tb_Sound_2"}) {
            auto* sound = form->control<FlatButton>(name);
            QVERIFY(sound->isCheckable());
            QVERIFY(!sound->group());
        }
    }

    void bothShelfFramesShareOneRectangle()
    {
        auto* six = form->control<Panel>("p_Fr_06");
        auto* twelve = form->control<Panel>("p_Fr_12");
        QCOMPARE(six->parentWidget(), twelve->parentWidget());
        QCOMPARE(six->geometry(), twelve->geometry());
        QVERIFY(six->isHidden());
        QVERIFY(!twelve->isHidden());
        // Showing the other frame instead keeps the rectangle.
        twelve->hide();
        six->show();
        QCOMPARE(six->geometry(), QRect(1, 124, 792, 225));
    }

    void helpersLieOutsideTheClientArea()
    {
        const QRect client = form->rect();
        for (const char* name : {"i_Text", "lb_Base"}) {
            QWidget* w = form->control(name);
            QVERIFY2(w, name);
            QCOMPARE(w->parentWidget(), form.get());
            QVERIFY2(!client.intersects(w->geometry()), name);
        }
        QCOMPARE(form->control("i_Text")->geometry(), QRect(811, 124, 32, 32));
        QCOMPARE(tagOf(form->control("i_Text")), 500);
        QCOMPARE(form->control("lb_Base")->geometry(), QRect(811, 141, 120, 184));
    }

    void shelfPanels_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("row");
        QTest::addColumn<int>("tag");
        QTest::addColumn<QRect>("inFrame");
        QTest::addColumn<QString>("caption");
        QTest::newRow("six: 0 bottom left") << "p_No_0" << "p_V1" << 100 << QRect(11, 121, 250, 85) << "   0";
        QTest::newRow("six: 2 bottom right") << "p_No_2" << "p_V1" << 102 << QRect(531, 121, 250, 85) << "   2";
        QTest::newRow("six: 3 top left") << "p_No_3" << "p_V2" << 103 << QRect(11, 11, 250, 85) << "   3";
        QTest::newRow("six: 5 top right") << "p_No_5" << "p_V2" << 105 << QRect(531, 11, 250, 85) << "   5";
        QTest::newRow("twelve: 0 bottom left") << "P_Nr_0" << "p_W1" << 200 << QRect(11, 170, 250, 52) << "   0";
        QTest::newRow("twelve: 4 second row") << "P_Nr_4" << "p_W2" << 204 << QRect(271, 115, 250, 52) << "   4";
        QTest::newRow("twelve: 8") << "P_Nr_8" << "p_W3" << 208 << QRect(531, 60, 250, 52) << "   8";
        QTest::newRow("twelve: 9 top left") << "P_Nr_9" << "p_W4" << 209 << QRect(11, 5, 250, 52) << "   9";
        QTest::newRow("twelve: A") << "P_Nr_A" << "p_W4" << 210 << QRect(271, 5, 250, 52) << "   A";
        QTest::newRow("twelve: B top right") << "P_Nr_B" << "p_W4" << 211 << QRect(531, 5, 250, 52) << "   B";
    }
    void shelfPanels()
    {
        QFETCH(QString, name);
        QFETCH(QString, row);
        QFETCH(int, tag);
        QFETCH(QRect, inFrame);
        QFETCH(QString, caption);
        auto* shelf = form->control<Panel>(name);
        QVERIFY2(shelf, qPrintable(name));
        QCOMPARE(shelf->parentWidget()->objectName(), row);
        QCOMPARE(tagOf(shelf), tag);
        QCOMPARE(shelf->caption(), caption);
        QCOMPARE(shelf->captionAlignment(), Qt::AlignLeft | Qt::AlignVCenter);
        QCOMPARE(shelf->color(), QColor(0x80, 0x40, 0x40));
        QCOMPARE(shelf->bevel(), Panel::Bevel::None);
        QWidget* frame = shelf->parentWidget()->parentWidget();
        QCOMPARE(QRect(shelf->mapTo(frame, QPoint(0, 0)), shelf->size()), inFrame);
        QVERIFY(shelf->toolTip().isEmpty());
    }

    void everyShelfFoundByTagOnce()
    {
        // The game finds shelf i by tag T_Level + i among all panels.
        for (int base : {100, 200}) {
            const int count = base == 100 ? 6 : 12;
            for (int i = 0; i < count; ++i) {
                int found = 0;
                for (const Panel* p : form->findChildren<Panel*>())
                    found += tagOf(p) == base + i;
                QCOMPARE(found, 1);
            }
        }
        // The six large shelves are visible within their frame, the twelve hidden.
        for (int i = 0; i < 6; ++i)
            QVERIFY(!form->control(QStringLiteral("p_No_%1").arg(i))->isHidden());
        for (const QChar c : QStringLiteral("0123456789AB"))
            QVERIFY(form->control(QStringLiteral("P_Nr_") + c)->isHidden());
    }

    void slotImages_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shelf");
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<int>("tag");
        QTest::newRow("large first") << "i3_0_0" << "p_No_0" << QRect(5, 0, 80, 80) << 1;
        QTest::newRow("large middle") << "i3_4_1" << "p_No_4" << QRect(85, 0, 80, 80) << 2;
        QTest::newRow("large last") << "i3_5_2" << "p_No_5" << QRect(165, 0, 80, 80) << 3;
        QTest::newRow("small first") << "i_0_0" << "P_Nr_0" << QRect(4, 0, 48, 48) << 1;
        QTest::newRow("small A third") << "i_A_2" << "P_Nr_A" << QRect(100, 0, 48, 48) << 3;
        QTest::newRow("small last") << "i_B_4" << "P_Nr_B" << QRect(196, 0, 48, 48) << 5;
    }
    void slotImages()
    {
        QFETCH(QString, name);
        QFETCH(QString, shelf);
        QFETCH(QRect, rect);
        QFETCH(int, tag);
        auto* image = form->control<ImageControl>(name);
        QVERIFY2(image, qPrintable(name));
        QCOMPARE(image->parentWidget()->objectName(), shelf);
        QCOMPARE(image->geometry(), rect);
        QCOMPARE(tagOf(image), tag);
    }

    void slotCountPerShelf()
    {
        for (const Panel* p : form->findChildren<Panel*>()) {
            const int tag = tagOf(p);
            if (tag >= 100 && tag <= 211)
                QCOMPARE(p->findChildren<ImageControl*>().size(), tag < 200 ? 3 : 5);
        }
    }

    void lowerPanels()
    {
        for (const char* name : {"tb_Help_0", "tb_Help_1"})
            QCOMPARE(form->control(name)->geometry(), QRect(620, 90, 160, 70));
        for (const char* name : {"i_Projekt_0", "i_Projekt_1"}) {
            QCOMPARE(form->control(name)->geometry(), QRect(20, 90, 70, 70));
            QCOMPARE(tagOf(form->control(name)), 1000);
        }
        for (const char* name : {"tb_Sound_1", "tb_Sound_2"})
            QCOMPARE(form->control(name)->geometry(), QRect(570, 103, 45, 45));
        QCOMPARE(form->control("tb_Help_0")->parentWidget()->objectName(), QStringLiteral("p_Warm"));
        QCOMPARE(form->control("tb_Help_1")->parentWidget()->objectName(), QStringLiteral("p_Play"));
        // The warm-up panel lies above the timed-play panel.
        QWidget* warm = form->control("p_Warm");
        QWidget* play = form->control("p_Play");
        const QObjectList siblings = warm->parentWidget()->children();
        QVERIFY(siblings.indexOf(warm) > siblings.indexOf(play));
        QCOMPARE(warm->geometry(), play->geometry());
        auto* bar = form->control<QProgressBar>("pb_Note");
        QCOMPARE(bar->maximum(), 6);
        QCOMPARE(bar->value(), 0);
        QVERIFY(!bar->isTextVisible());
    }

    void resultsPanel_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("rect");
        QTest::newRow("spacer 1") << "p_R1" << QRect(0, 0, 13, 80);
        QTest::newRow("level 1") << "p_Level1" << QRect(13, 0, 180, 80);
        QTest::newRow("spacer 2") << "p_R2" << QRect(193, 0, 13, 80);
        QTest::newRow("level 2") << "p_Level2" << QRect(206, 0, 180, 80);
        QTest::newRow("spacer 3") << "p_R3" << QRect(386, 0, 20, 80);
        QTest::newRow("level 3") << "p_Level3" << QRect(406, 0, 180, 80);
        QTest::newRow("spacer 4") << "p_R4" << QRect(586, 0, 13, 80);
        QTest::newRow("level 4") << "p_Level4" << QRect(599, 0, 180, 80);
        QTest::newRow("spacer 5") << "p_R5" << QRect(779, 0, 13, 80);
    }
    void resultsPanel()
    {
        QFETCH(QString, name);
        QFETCH(QRect, rect);
        form->HideResultClick();
        QWidget* w = form->control(name);
        QVERIFY2(w, qPrintable(name));
        QCOMPARE(w->parentWidget()->objectName(), QStringLiteral("p_Result_2"));
        QCOMPARE(w->geometry(), rect);
    }

    void levelBoxContents()
    {
        const char* names[] = {"pierwszym", "drugim", "trzecim", "czwartym"};
        for (int n = 1; n <= 4; ++n) {
            const QString N = QString::number(n);
            auto* header = form->control<QLabel>("l_" + N + "1");
            QVERIFY(header);
            QCOMPARE(header->text(), QStringLiteral("Na poziomie %1:").arg(QLatin1String(names[n - 1])));
            QCOMPARE(header->geometry(), QRect(2, 2, 176, 13));
            QCOMPARE(form->control("p_L" + N + "1")->geometry(), QRect(2, 15, 86, 63));
            QCOMPARE(form->control("p_L" + N + "2")->geometry(), QRect(92, 15, 86, 63));
            QCOMPARE(form->control<QLabel>("l_" + N + "2")->text(), QStringLiteral("ukończonych gier w jednej rundzie"));
            QCOMPARE(form->control<QLabel>("l_" + N + "3")->text(), QStringLiteral("najlepszy uzyskany czas"));
            QCOMPARE(form->control("p_" + N + "_G")->parentWidget()->objectName(), "p_L" + N + "1");
            QCOMPARE(form->control("p_" + N + "_T")->parentWidget()->objectName(), "p_L" + N + "2");
            QCOMPARE(form->control("p_" + N + "_G")->geometry(), QRect(0, 45, 86, 18));
        }
    }
    void dockingIgnoresStackingOrder();

private:
    QTemporaryDir dir;
    std::unique_ptr<BoxRecorder> recorder;
    std::unique_ptr<T_Form> form;
};

void TestWindowLayout::dockingIgnoresStackingOrder()
{
    // Raising a docked control (as the help overlay is raised) must not
    // move the others: docking follows the order the layout set.
    QWidget* komunikat = form->control("p_Komunikat");
    komunikat->raise();
    form->control("p_Rest")->lower();
    form->control("p_Game")->resize(794, 570);
    QCOMPARE(inWindow(komunikat, form.get()), QRect(1, 349, 792, 22));
    QCOMPARE(inWindow(form->control("p_Rest"), form.get()), QRect(1, 371, 792, 181));
}

QTEST_MAIN(TestWindowLayout)
#include "test_window_layout.moc"
