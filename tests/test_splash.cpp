// SPDX-License-Identifier: GPL-3.0-or-later
// The opening splash: it fades in 127 steps of 2 from 255 and closes at 1,
// never wraps round, ignores ticks while hidden and swallows clicks.

#include "app/controls.h"
#include "app/splash.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

class TestSplash : public QObject {
    Q_OBJECT
private slots:
    void windowAndControls();
    void fadeSequence();
    void ticksBeforeShowingDoNothing();
    void bannerWhiteShowsTheWindowColour();
    void clicksAreSwallowed();
};

void TestSplash::windowAndControls()
{
    T_Ue ue;
    QVERIFY(ue.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(ue.windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(ue.size(), QSize(800, 600));
    QCOMPARE(ue.palette().color(QPalette::Window), QColor(0xEF, 0xEB, 0xD6));
    QCOMPARE(ue.frameGeometry().center(), QGuiApplication::primaryScreen()->geometry().center());
    ue.show();
    auto* panel = ue.findChild<Panel*>("p_Ue");
    QVERIFY(panel);
    QCOMPARE(panel->geometry(), QRect(0, 0, 800, 150));
    QCOMPARE(panel->bevel(), Panel::Bevel::Raised);
    QCOMPARE(panel->bevelWidth(), 1);
    auto* image = panel->findChild<ImageControl*>("i_UE");
    QVERIFY(image);
    QCOMPARE(image->geometry(), QRect(1, 1, 798, 148));
    QCOMPARE(image->picture().size(), QSize(800, 150));
    auto* timer = ue.findChild<QTimer*>("t_UE");
    QVERIFY(timer);
    QCOMPARE(timer->interval(), 20);
    QVERIFY(timer->isActive());
    QCOMPARE(ue.opacity(), 255);
}

void TestSplash::fadeSequence()
{
    T_Ue ue;
    ue.findChild<QTimer*>("t_UE")->stop();  // the test drives the ticks
    ue.show();
    for (int tick = 1; tick <= 126; ++tick) {
        ue.t_UETimer();
        QCOMPARE(ue.opacity(), 255 - 2 * tick);
        QVERIFY2(ue.isVisible(), qPrintable(QString::number(tick)));
        QVERIFY(qAbs(ue.windowOpacity() - ue.opacity() / 255.0) < 0.01);
    }
    ue.t_UETimer();  // the 127th
    QCOMPARE(ue.opacity(), 1);
    QVERIFY(!ue.isVisible());
    for (int tick = 0; tick < 10; ++tick)
        ue.t_UETimer();
    QCOMPARE(ue.opacity(), 1);
    QVERIFY(!ue.isVisible());
    // Shown again by mistake, it still must not wrap round to opaque.
    ue.show();
    ue.t_UETimer();
    QVERIFY(ue.opacity() <= 1);
    QVERIFY(!ue.isVisible());
}

void TestSplash::ticksBeforeShowingDoNothing()
{
    T_Ue ue;
    ue.findChild<QTimer*>("t_UE")->stop();
    for (int tick = 0; tick < 200; ++tick)
        ue.t_UETimer();
    QCOMPARE(ue.opacity(), 255);
    QVERIFY(!ue.isVisible());
}

void TestSplash::bannerWhiteShowsTheWindowColour()
{
    T_Ue ue;
    ue.findChild<QTimer*>("t_UE")->stop();
    ue.show();
    const QImage shot = ue.grab().toImage();
    // The banner's white corner and the area below it show the window colour.
    QCOMPARE(shot.pixelColor(3, 140), QColor(0xEF, 0xEB, 0xD6));
    QCOMPARE(shot.pixelColor(400, 400), QColor(0xEF, 0xEB, 0xD6));
    // The banner's emblems are drawn: something dark in the top band.
    int dark = 0;
    for (int x = 0; x < 800; x += 2)
        dark += qGray(shot.pixel(x, 117)) < 120;
    QVERIFY(dark > 10);
}

void TestSplash::clicksAreSwallowed()
{
    T_Ue ue;
    ue.findChild<QTimer*>("t_UE")->stop();
    QVERIFY(!(ue.windowFlags() & Qt::WindowTransparentForInput));
    QVERIFY(!ue.testAttribute(Qt::WA_TransparentForMouseEvents));
    ue.show();
    const QPoint points[] = {{400, 300}, {10, 10}, {700, 80}};
    for (const QPoint& at : points) {
        QWidget* target = ue.childAt(at) ? ue.childAt(at) : &ue;
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(target->mapFrom(&ue, at)), QPointF(ue.mapToGlobal(at)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &press);
        // Accepted here, so it is not handed on to anything beneath.
        QVERIFY(press.isAccepted());
    }
    QVERIFY(ue.isVisible());
    QCOMPARE(ue.opacity(), 255);
}

QTEST_MAIN(TestSplash)
#include "test_splash.moc"
