// SPDX-License-Identifier: GPL-3.0-or-later
// The window's own displays: the help overlay, the results panel with its
// toggle and values, the warm-up/play hint, the hints' line breaks and the
// round clock's colours.
#include "app/hints.h"
#include "app/result_format.h"
#include "app/t_form.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QHelpEvent>
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QToolTip>

class TestWindowDisplays : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
        recorder = std::make_unique<BoxRecorder>();
        form = std::make_unique<T_Form>(programIn(dir));
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    void cleanup()
    {
        form.reset();
        recorder.reset();
        QLocale::setDefault(QLocale::system());
    }

    void helpOverlayToggles()
    {
        QWidget* help = form->control("_Help");
        const QPoint centre(397, 285);
        QVERIFY(!help->isHidden());
        // Shown above everything: the centre of the window belongs to it.
        QWidget* top = form->childAt(centre);
        QVERIFY(top == help || help->isAncestorOf(top));

        QTest::mouseClick(form->control("i_Help"), Qt::LeftButton);
        QVERIFY(help->isHidden());
        QVERIFY(!help->isAncestorOf(form->childAt(centre)));
        QVERIFY(recorder->boxes.isEmpty());

        QTest::mouseClick(form->control("tb_Help_0"), Qt::LeftButton);
        QVERIFY(!help->isHidden());
        top = form->childAt(centre);
        QVERIFY(top == help || help->isAncestorOf(top));

        form->_HelpClick();
        QTest::mouseClick(form->control("tb_Help_1"), Qt::LeftButton);
        QVERIFY(!help->isHidden());
        QTest::mouseClick(help, Qt::LeftButton, {}, QPoint(2, 2));
        QVERIFY(help->isHidden());
    }

    void resultsToggle_data()
    {
        QTest::addColumn<QString>("clicked");
        QTest::addColumn<bool>("toggles");
        QTest::newRow("timed-play panel") << "p_Play" << true;
        QTest::newRow("spacer 1") << "p_R1" << true;
        QTest::newRow("middle spacer") << "p_R3" << true;
        QTest::newRow("spacer 5") << "p_R5" << true;
        QTest::newRow("count column") << "p_L11" << true;
        QTest::newRow("time column 4") << "p_L42" << true;
        QTest::newRow("header label") << "l_21" << false;
        QTest::newRow("caption label") << "l_32" << false;
        QTest::newRow("count box") << "p_1_G" << false;
        QTest::newRow("time box") << "p_4_T" << false;
        QTest::newRow("round clock") << "pb_Note" << false;
    }
    void resultsToggle()
    {
        QFETCH(QString, clicked);
        QFETCH(bool, toggles);
        auto* results = form->control<Panel>("p_Result_2");
        auto* play = form->control<Panel>("p_Play");
        form->HideResultClick();  // shown, so its contents can be clicked
        QVERIFY(!results->isHidden());
        QCOMPARE(play->caption(), QStringLiteral("Kliknij, aby ukryć wyniki"));

        QWidget* target = form->control(clicked);
        QVERIFY2(target, qPrintable(clicked));
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(3, 3));
        QCOMPARE(results->isHidden(), toggles);
        QCOMPARE(play->caption(), toggles ? QStringLiteral("Kliknij, aby zobaczyć wyniki")
                                          : QStringLiteral("Kliknij, aby ukryć wyniki"));
    }

    void resultsSurvivePlayModeSwitch()
    {
        auto* results = form->control<Panel>("p_Result_2");
        auto* play = form->control<Panel>("p_Play");
        auto* warm = form->control<Panel>("p_Warm");
        // Timed play, results shown.
        warm->hide();
        QTest::mouseClick(play, Qt::LeftButton, {}, QPoint(400, 120));
        QVERIFY(!results->isHidden());
        // To warm-up and back, as the play switch does it.
        play->hide();
        warm->show();
        warm->hide();
        play->show();
        QVERIFY(!results->isHidden());
        QVERIFY(results->isVisible());
        QCOMPARE(play->caption(), QStringLiteral("Kliknij, aby ukryć wyniki"));
        QCOMPARE(results->geometry(), QRect(0, 0, 792, 80));
    }

    void resultValues_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("games");
        QTest::addColumn<double>("best");
        QTest::addColumn<QString>("countText");
        QTest::addColumn<QString>("timeText");
        QTest::newRow("rounded down") << 0 << 3 << 12.34 << "3" << "12,3 s";
        QTest::newRow("rounded up") << 1 << 12 << 45.66 << "12" << "45,7 s";
        QTest::newRow("no time yet") << 2 << 0 << 121.0 << "0" << "?";
        QTest::newRow("just below none") << 3 << 1 << 120.96 << "1" << "121,0 s";
        QTest::newRow("whole seconds") << 3 << 100 << 30.0 << "100" << "30,0 s";
    }
    void resultValues()
    {
        QFETCH(int, level);
        QFETCH(int, games);
        QFETCH(double, best);
        QFETCH(QString, countText);
        QFETCH(QString, timeText);
        PlayState& ps = form->playState();
        ps.TGame[level] = games;
        ps.TBest[level] = best;
        form->ShowResults();
        const QString n = QString::number(level + 1);
        QCOMPARE(form->control<Panel>("p_" + n + "_G")->caption(), countText);
        QCOMPARE(form->control<Panel>("p_" + n + "_T")->caption(), timeText);
        // The other levels keep their start values.
        const QString other = QString::number((level + 1) % 4 + 1);
        QCOMPARE(form->control<Panel>("p_" + other + "_T")->caption(), QStringLiteral("?"));
    }

    void timeFollowsTheRegionalSeparator()
    {
        QCOMPARE(formatBestTime(12.34L, QLocale(QLocale::English, QLocale::UnitedStates)), QStringLiteral("12.3 s"));
        QCOMPARE(formatBestTime(12.34L, QLocale(QLocale::German)), QStringLiteral("12,3 s"));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        form->playState().TBest[0] = 7.25L;
        form->ShowResults();
        QCOMPARE(form->control<Panel>("p_1_T")->caption(), QStringLiteral("7.3 s"));
    }

    void warmPlayHint_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("down");
        QTest::addColumn<QString>("hint");
        for (int state : {-3, -2, 0, 1}) {
            QTest::addRow("state %d, down", state) << state << true << "Przejdź do ROZGRZEWKI";
            QTest::addRow("state %d, up", state) << state << false << "Przejdź do ROZGRYWKI";
        }
        for (int state : {-1, 2, 3}) {
            QTest::addRow("state %d, down", state) << state << true << "Trwa ROZGRYWKA";
            QTest::addRow("state %d, up", state) << state << false << "Trwa ROZGRZEWKA";
        }
    }
    void warmPlayHint()
    {
        QFETCH(int, state);
        QFETCH(bool, down);
        QFETCH(QString, hint);
        auto* button = form->control<FlatButton>("tb_Warm_Play");
        form->playState().Game.State = state;
        button->setChecked(down);
        // Any event the application handles brings the hint up to date.
        QEvent nudge(QEvent::User);
        QCoreApplication::sendEvent(form->control("p_Menu"), &nudge);
        QCOMPARE(button->toolTip(), hint);
    }

    void warmPlayHintAfterStart()
    {
        QCoreApplication::processEvents();
        QCOMPARE(form->control("tb_Warm_Play")->toolTip(), QStringLiteral("Przejdź do ROZGRYWKI"));
    }

    void hintLineBreaks_data()
    {
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QString>("shown");
        QTest::newRow("carriage returns alone") << "\r  a\r  b\r" << "\n  a\n  b\n";
        QTest::newRow("CR LF is one break") << "a\r\nb" << "a\nb";
        QTest::newRow("two CRs are an empty line") << "a\r\rb" << "a\n\nb";
        QTest::newRow("single line") << "Zasady gry" << "Zasady gry";
    }
    void hintLineBreaks()
    {
        QFETCH(QString, hint);
        QFETCH(QString, shown);
        QCOMPARE(hintDisplayText(hint), shown);
    }

    void badgeHintShowsSeveralLines()
    {
        form->_HelpClick();
        QWidget* badge = form->control("i_Projekt_0");
        badge->setToolTip(QStringLiteral("\r    Projekt\r_________\r"));
        QHelpEvent request(QEvent::ToolTip, QPoint(5, 5), badge->mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(badge, &request);
        QVERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), QStringLiteral("\n    Projekt\n_________\n"));
        QToolTip::hideText();
    }

    void roundClockColours()
    {
        auto* bar = form->control<QProgressBar>("pb_Note");
        form->_HelpClick();
        form->control("p_Warm")->hide();
        bar->setRange(0, 100);
        bar->setValue(50);
        const QImage image = bar->grab().toImage();
        QCOMPARE(QColor(image.pixel(20, 8)), QColor(0xC6, 0x64, 0x95));
        QCOMPARE(QColor(image.pixel(770, 8)), QColor(0xDC, 0xA6, 0xC8));
    }

    void panelColours()
    {
        form->_HelpClick();
        const QImage window = form->grab().toImage();
        QCOMPARE(QColor(window.pixel(515, 30)), QColor(0xE3, 0xE6, 0x1B));   // menu bar strip before the delete button
        QCOMPARE(QColor(window.pixel(400, 360)), QColor(0x30, 0x64, 0x00));  // message bar
        QCOMPARE(QColor(window.pixel(400, 240)), QColor(0xF1, 0xF1, 0xF1));  // empty shelf frame
    }

private:
    QTemporaryDir dir;
    std::unique_ptr<BoxRecorder> recorder;
    std::unique_ptr<T_Form> form;
};

QTEST_MAIN(TestWindowDisplays)
#include "test_window_displays.moc"
