// SPDX-License-Identifier: GPL-3.0-or-later
// The high-contrast view as a pupil sees it: the contrast of every text and
// state measured on the rendered window, a won and a lost game told apart
// in greyscale, the description within its band, and the K key that
// switches the view and is remembered.
#include "app/high_contrast.h"
#include "draw/contrast.h"
#include "play_fixture.h"

#include <QHash>
#include <QSettings>
#include <QStandardPaths>

namespace {

// What stands on the table when a row is measured.
enum class Scene { Rules, Dealt, Timed, Results, Marked, Mistaken, Won, Lost, Revealed, Focused };

struct Measured {
    QColor ink, ground;
    double ratio() const { return Contrast::ratio(ink, ground); }
};

// A row's two colours: with two points, the colour at `a` against the
// colour at `b`; else the most frequent colour of the region is the ground
// and the pixel farthest from it the ink.
Measured measure(const QImage& image, const QRect& region, const QPoint& a, const QPoint& b)
{
    if (a != b)
        return {image.pixelColor(a), image.pixelColor(b)};
    QHash<QRgb, int> counts;
    QRgb ground = 0;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            if (++counts[image.pixel(x, y)] > counts.value(ground))
                ground = image.pixel(x, y);
    Measured m{QColor::fromRgb(ground), QColor::fromRgb(ground)};
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (Contrast::ratio(QColor::fromRgb(it.key()), m.ground) > m.ratio())
            m.ink = QColor::fromRgb(it.key());
    return m;
}

void prepare(PlayFixture& f, Scene scene)
{
    constexpr int level3 = 2;
    if (scene == Scene::Rules) {
        f.form->_HelpClick();
        return;
    }
    if (scene == Scene::Timed || scene == Scene::Results) {
        f.startRound(level3);
        f.tick(300);
        if (scene == Scene::Results)
            QTest::mouseClick(f.panel(QStringLiteral("p_Play")), Qt::LeftButton, {}, QPoint(300, 20));
        return;
    }
    f.pressLevel(level3);
    switch (scene) {
    case Scene::Marked: f.chooseMode(2); f.clickShelf(f.wrongShelf()); break;
    case Scene::Mistaken: f.chooseMode(1); f.clickShelf(f.wrongShelf()); break;
    case Scene::Won: f.winByPointing(); break;
    case Scene::Lost: f.chooseMode(0); f.clickShelf(f.ps().Correct_S); break;
    case Scene::Revealed: f.form->HighlightMatchingShelf(-5); break;
    case Scene::Focused: QTest::keyClick(f.form.get(), Qt::Key_Home); break;
    default: break;
    }
}

// A row's control: a control's name, or "matching", "wrong", "focused" for
// a shelf, "item" for the first item of the wrong shelf.
QWidget* target(PlayFixture& f, const QString& name)
{
    if (name == u"matching")
        return f.shelf(f.ps().Correct_S);
    if (name == u"wrong")
        return f.shelf(f.wrongShelf());
    if (name == u"focused")
        return f.form->focusWidget();
    if (name == u"item")
        return f.item(f.wrongShelf(), 0);
    return f.form->control(name);
}

// The window as drawn, at one pixel per layout pixel (the tests run at 100 %).
QImage rendered(PlayFixture& f)
{
    return f.form->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

}  // namespace

Q_DECLARE_METATYPE(Scene)

class TestHighContrast : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // No test reads or writes the settings of the user running it.
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    }

    // Rows: what a pupil must read (4.5:1) or see (3:1) and where on screen,
    // in the row's control's own coordinates. A shelf's band is its left
    // edge beside the first tile, the row around it 4 pixels further out;
    // a narrow shelf's badge stands in the room to its right.
    void contrastOfRenderedView_data()
    {
        QTest::addColumn<Scene>("scene");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("region");
        QTest::addColumn<QPoint>("a");
        QTest::addColumn<QPoint>("b");
        QTest::addColumn<double>("threshold");
        const double text = Contrast::TextMinimum, mark = Contrast::MarkMinimum;
        const QRect whole;
        const QPoint none;
        const QPoint band(1, 20), aroundBand(-4, 20);
        const QRect badge(201, 0, 58, 50);
        QTest::newRow("rules, subtitle") << Scene::Rules << "i_Help" << QRect(30, 120, 300, 18) << none << none << text;
        QTest::newRow("rules, closing line") << Scene::Rules << "i_Help" << QRect(30, 398, 736, 24) << none << none << text;
        QTest::newRow("description") << Scene::Dealt << "rve_Text" << whole << none << none << text;
        QTest::newRow("message bar, warm-up words") << Scene::Dealt << "p_Komunikat" << whole << none << none << text;
        QTest::newRow("message bar, timed words") << Scene::Timed << "p_Komunikat" << whole << none << none << text;
        QTest::newRow("click to see the results") << Scene::Timed << "p_Play" << QRect(150, 78, 410, 24) << none << none << text;
        QTest::newRow("results heading") << Scene::Results << "l_11" << whole << none << none << text;
        QTest::newRow("results caption") << Scene::Results << "l_12" << whole << none << none << text;
        QTest::newRow("results value") << Scene::Results << "p_1_G" << whole << none << none << text;
        QTest::newRow("round clock bar") << Scene::Timed << "pb_Note" << whole << QPoint(3, 8) << QPoint(788, 8) << mark;
        QTest::newRow("shelf as dealt") << Scene::Dealt << "wrong" << whole << band << aroundBand << mark;
        QTest::newRow("marked shelf's stripes") << Scene::Marked << "item" << QRect(12, 12, 24, 24) << none << none << mark;
        QTest::newRow("wrong pick's frame") << Scene::Mistaken << "wrong" << whole << band << aroundBand << mark;
        QTest::newRow("wrong pick's cross") << Scene::Mistaken << "wrong" << badge << none << none << mark;
        QTest::newRow("won shelf's frame") << Scene::Won << "matching" << whole << band << aroundBand << mark;
        QTest::newRow("won shelf's tick") << Scene::Won << "matching" << badge << none << none << mark;
        QTest::newRow("lost game's shelf frame") << Scene::Lost << "matching" << whole << band << aroundBand << mark;
        QTest::newRow("lost game's badge") << Scene::Lost << "matching" << badge << none << none << mark;
        QTest::newRow("revealed shelf's frame") << Scene::Revealed << "matching" << whole << band << aroundBand << mark;
        QTest::newRow("revealed shelf's badge") << Scene::Revealed << "matching" << badge << none << none << mark;
        QTest::newRow("focus ring") << Scene::Focused << "focused" << whole << QPoint(-3, 20) << QPoint(-6, 20) << mark;
    }
    void contrastOfRenderedView()
    {
        QFETCH(Scene, scene);
        QFETCH(QString, control);
        QFETCH(QRect, region);
        QFETCH(QPoint, a);
        QFETCH(QPoint, b);
        QFETCH(double, threshold);

        PlayFixture f;
        f.form->setHighContrast(true);
        prepare(f, scene);
        QWidget* widget = target(f, control);
        QVERIFY(widget && widget->isVisible());
        const QPoint origin = widget->mapTo(f.form.get(), QPoint(0, 0));
        const QRect area = (region.isNull() ? widget->rect() : region).translated(origin);
        const Measured m = measure(rendered(f), area, a + origin, b + origin);
        qInfo("| %s | %s | %s | %.2f | %.1f |", QTest::currentDataTag(), qPrintable(m.ink.name()),
              qPrintable(m.ground.name()), m.ratio(), threshold);
        QVERIFY2(m.ratio() >= threshold, qPrintable(QStringLiteral("%1 on %2: %3").arg(m.ink.name(), m.ground.name())
                                                         .arg(m.ratio())));
    }

    // A won and a lost level-3 game, dealt alike, printed in greyscale:
    // the matching shelf and the room beside it must differ by much more
    // than a grey level or two (red and green alone differ by about 40).
    void wonAndLostApartInGreyscale()
    {
        QImage shelves[2];
        QRect area;
        for (int lost = 0; lost < 2; ++lost) {
            PlayFixture f(11);
            f.form->setHighContrast(true);
            prepare(f, lost ? Scene::Lost : Scene::Won);
            Panel* shelf = f.shelf(f.ps().Correct_S);
            area = QRect(shelf->mapTo(f.form.get(), QPoint(0, 0)), QSize(260, 50));
            shelves[lost] = rendered(f).copy(area).convertToFormat(QImage::Format_Grayscale8);
        }
        int apart = 0;
        for (int y = 0; y < area.height(); ++y)
            for (int x = 0; x < area.width(); ++x)
                apart += qAbs(qGray(shelves[0].pixel(x, y)) - qGray(shelves[1].pixel(x, y))) > 100 ? 1 : 0;
        const double share = 100.0 * apart / (area.width() * area.height());
        qInfo("won and lost shelves: %d of %d grey pixels (%.1f %%) differ by more than 100 levels", apart,
              area.width() * area.height(), share);
        QVERIFY(share >= 5.0);
    }

    // The longest descriptions of level 4 and those of the picture levels
    // stay within the band, and the words stand taller than in the
    // window's own colours.
    void descriptionFitsItsBand()
    {
        PlayFixture f;
        f.form->setHighContrast(true);
        for (int level : {0, 1, 3}) {
            for (int deal = 0; deal < 20; ++deal) {
                f.pressLevel(level);
                QVERIFY2(f.description()->contentHeight() <= f.description()->height(),
                         qPrintable(f.description()->plainText()));
            }
        }
        // The rows of the strip that hold ink: black in the view, white in the own colours.
        const auto inkRows = [&f](bool view) {
            f.form->setHighContrast(view);
            const QImage strip = rendered(f).copy(QRect(f.description()->mapTo(f.form.get(), QPoint(0, 0)),
                                                        f.description()->size()));
            int rows = 0;
            for (int y = 0; y < strip.height(); ++y)
                for (int x = 0; x < strip.width(); ++x)
                    if (view ? qGray(strip.pixel(x, y)) < 40 : qGray(strip.pixel(x, y)) > 230) {
                        ++rows;
                        break;
                    }
            return rows;
        };
        const int large = inkRows(true), own = inkRows(false);
        qInfo("description ink: %d rows in the view, %d in the own colours", large, own);
        QVERIFY(own > 0 && large >= own * 3 / 2);
    }

    // Off unless asked for; K switches it at any moment, over the rules
    // too, and is remembered; switched back, not a pixel of the view is left.
    void keySwitchesAndIsRemembered()
    {
        PlayFixture f;
        QCOMPARE(HighContrastChoice::remembered(), false);
        f.pressLevel(2);
        f.chooseMode(2);
        f.clickShelf(f.wrongShelf());
        // The ring every key brings is there before the view is switched.
        QTest::keyClick(f.form.get(), Qt::Key_Home);
        const QImage own = rendered(f);
        QVERIFY(!f.form->highContrast());

        QTest::keyClick(f.form.get(), Qt::Key_K);
        QVERIFY(f.form->highContrast());
        QVERIFY(HighContrastChoice::remembered());
        QVERIFY(rendered(f) != own);
        QTest::keyClick(f.form.get(), Qt::Key_K);
        QVERIFY(!f.form->highContrast());
        QVERIFY(!HighContrastChoice::remembered());
        QCOMPARE(rendered(f), own);

        f.form->_HelpClick();
        QTest::keyClick(f.form.get(), Qt::Key_K);
        QVERIFY(f.form->highContrast());

        // A settings file that is not one reads as no choice.
        const QString path = QSettings(QStringLiteral("Trefolia"), QStringLiteral("Trefolia")).fileName();
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        static const char garbage[] = "\xff\xfe[view\x00highContrast=\x01\n[[[";
        file.write(garbage, sizeof garbage - 1);
        file.close();
        QCOMPARE(HighContrastChoice::remembered(), false);
    }

private:
    QTemporaryDir settingsDir;
};

QTEST_MAIN(TestHighContrast)
#include "test_high_contrast.moc"
