// SPDX-License-Identifier: GPL-3.0-or-later
// A game set up and dealt in the real window from a test content directory:
// the play state the deal leaves, the tiles and the description it draws
// from it, the checks on the item list, and an archive failing mid-deal.
#include "app/action_guard.h"
#include "app/t_form.h"
#include "content/item_list.h"
#include "draw/description_view.h"
#include "puzzle/arrangements.h"
#include "puzzle/phrase_tables.h"
#include "support/test_content.h"
#include "support/test_support.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProgressBar>
#include <QSet>
#include <QTest>
#include <memory>

namespace {

const QRgb shelfFrame = 0xFFF1F1F1;
const QRgb pictogramFrame = 0xFFA1B822;

struct Window {
    QTemporaryDir dir;
    std::unique_ptr<T_Form> form;
    BoxRecorder boxes;

    explicit Window(int itemsPerList = 8, std::uint32_t seed = 5)
    {
        TestContent::writeContentDir(base(), itemsPerList);
        form = std::make_unique<T_Form>(StartupEnvironment{dir.path(), 96, {1280, 1024}});
        form->_HelpClick();
        form->seedRandom(seed);
    }
    QString base() const { return dir.path() + QStringLiteral("/Base"); }
    PlayState& ps() { return form->playState(); }

    // What the level button does before and around the deal.
    void deal(int level)
    {
        ps().N_Level = level;
        ps().T_Level = level == 0 ? 100 : 200;
        form->PrepareGame(level);
        if (level == 0)
            form->DealShelves3();
        else
            form->DealShelves4();
    }

    ImageControl* slot(int shelf, int k) const
    {
        if (form->playState().N_Level == 0)
            return form->control<ImageControl>(QStringLiteral("i3_%1_%2").arg(shelf).arg(k));
        return form->control<ImageControl>(QStringLiteral("i_%1_%2").arg(QString::number(shelf, 16).toUpper()).arg(k));
    }
    FlatButton* mode(int m) const { return form->control<FlatButton>(QStringLiteral("sb_Mode_%1").arg(m)); }
};

QRgb centre(const QImage& image) { return image.pixel(image.width() / 2, image.height() / 2) | 0xFF000000; }
QRgb colourOf(const QString& code) { return TestContent::pictureColour(code.toInt()).rgb(); }

// The play state and the drawn tiles agree with each other.
void checkDealtGame(Window& w, int level)
{
    PlayState& ps = w.ps();
    const int items = level == 0 ? 3 : 4;
    const int shelves = level == 0 ? 6 : 12;
    const int size = level == 0 ? 80 : 48;
    QCOMPARE(ps.N_Self, shelves);
    QVERIFY(ps.Correct_S >= 0 && ps.Correct_S < shelves);
    QVERIFY(ps.Nr_Frazy >= 0 && ps.Nr_Frazy < PhraseTables::phraseCount(level));
    QCOMPARE(ps.S_Shelf, arrangementPool(items));
    QCOMPARE(ps.S_Fruct.size(), 5 * w.form->itemLines().size());

    // The matching shelf shows the items of TElement, slot by slot.
    const QString matching = ps.T_Pic_Self[size_t(ps.Correct_S)].Pict;
    for (int k = 0; k < items; ++k)
        QCOMPARE(w.form->itemLines()[ps.TElement[size_t(k)]].left(5), matching.mid(5 * k, 5));

    QSet<QString> orders;
    for (int i = 0; i < shelves; ++i) {
        const R_Self& shelf = ps.T_Pic_Self[size_t(i)];
        QCOMPARE(shelf.Mode, std::uint8_t(0));
        QCOMPARE(shelf.Pict.size(), 5 * items);
        // Every shelf holds the same items, in its own order.
        QStringList units, matchingUnits;
        for (int k = 0; k < items; ++k) {
            units << shelf.Pict.mid(5 * k, 5);
            matchingUnits << matching.mid(5 * k, 5);
        }
        std::sort(units.begin(), units.end());
        std::sort(matchingUnits.begin(), matchingUnits.end());
        QCOMPARE(units, matchingUnits);
        orders.insert(shelf.Pict);
        for (int k = 0; k < items; ++k) {
            const QImage& tile = w.slot(i, k)->picture();
            QCOMPARE(tile.size(), QSize(size, size));
            QCOMPARE(centre(tile), colourOf(shelf.Pict.mid(5 * k, 5)));
            QCOMPARE(tile.pixel(0, 0) | 0xFF000000, shelfFrame);
        }
        if (level > 0)   // the fifth image of a twelve-shelf panel is never drawn on
            QVERIFY(w.slot(i, 4)->picture().isNull());
    }
    QCOMPARE(orders.size(), shelves);
}

}  // namespace

class TestGameSetup : public QObject {
    Q_OBJECT
private slots:
    void levelOneGame()
    {
        Window w;
        w.deal(0);
        checkDealtGame(w, 0);
        // The picture description: one pictogram per item token, in token
        // order, each its own copy; i_Text keeps the last one drawn.
        const PlayState& ps = w.ps();
        const QString tokens = PhraseTables::tokens(0, ps.Nr_Frazy);
        const auto* view = w.form->control<DescriptionView>(QStringLiteral("rve_Text"));
        QList<QRgb> expected;
        for (const QChar t : tokens)
            if (t.digitValue() < 5)
                expected << colourOf(w.form->itemLines()[ps.TElement[size_t(t.digitValue())]].left(5));
        QCOMPARE(view->pictureCount(), expected.size());
        for (int j = 0; j < expected.size(); ++j) {
            QCOMPARE(view->pictures()[j].size(), QSize(32, 32));
            QCOMPARE(centre(view->pictures()[j]), expected[j]);
            QCOMPARE(view->pictures()[j].pixel(0, 0) | 0xFF000000, pictogramFrame);
        }
        const QImage& lastDrawn = w.form->control<ImageControl>(QStringLiteral("i_Text"))->picture();
        QCOMPARE(centre(lastDrawn), expected.last());
        QVERIFY(view->plainText().endsWith(QChar(0x0098)));
        QVERIFY(w.boxes.boxes.isEmpty());
    }

    void levelThreeGame()
    {
        Window w;
        w.deal(2);
        checkDealtGame(w, 2);
        // The word description names the matching shelf's items only.
        const PlayState& ps = w.ps();
        const auto* view = w.form->control<DescriptionView>(QStringLiteral("rve_Text"));
        const QString text = view->plainText();
        QCOMPARE(view->pictureCount(), 0);
        QVERIFY(text.endsWith(QLatin1Char('.')) && text.at(0).isUpper());
        QSet<QString> allowed;
        for (int slot = 0; slot < 4; ++slot)
            for (int form = 0; form < 3; ++form) {
                const QString name = nameForm(w.form->itemLines()[ps.TElement[size_t(slot)]], form);
                allowed << name << name.toLower();
            }
        for (int k = 1; k <= 9; ++k)
            for (const QString& word : PhraseTables::connector(2, ps.Nr_Frazy, k).split(QLatin1Char(' ')))
                allowed << word;
        QString words = text;
        words.remove(QLatin1Char('.')).remove(QLatin1Char(','));
        words.replace(0, 1, words.left(1).toLower());
        for (const QString& word : words.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            QVERIFY2(allowed.contains(word) || allowed.contains(word.toLower()) || allowed.contains(word.at(0).toUpper() + word.mid(1)),
                     qPrintable(word + " in " + text));
    }

    void setUpResetsTheBoard()
    {
        Window w;
        w.ps().Pause = true;
        w.form->control<Panel>(QStringLiteral("p_Komunikat"))->setCaption(QStringLiteral("stara wiadomość"));
        w.deal(1);
        QCOMPARE(w.ps().Pause, false);
        QCOMPARE(w.form->control<Panel>(QStringLiteral("p_Komunikat"))->caption(), QString());
        QCOMPARE(w.form->control<QProgressBar>(QStringLiteral("pb_Note"))->maximum(), 1200);
        QVERIFY(w.form->control<Panel>(QStringLiteral("p_Fr_12"))->isEnabled());
        // The pool follows the level: four items now, three after level 1.
        QCOMPARE(w.ps().S_Shelf.size(), 92);
        w.deal(0);
        QCOMPARE(w.ps().S_Shelf, arrangementPool(3));
        checkDealtGame(w, 0);
    }

    void modeCarriesOver()
    {
        Window w;
        w.ps().N_Mode = 2;
        w.mode(2)->setDownState(true);
        w.deal(0);
        QCOMPARE(w.ps().N_Mode, 2);
        QVERIFY(w.mode(2)->isDownState());
        QVERIFY(!w.mode(0)->isDownState());
    }

    void dealShowsTheChosenMode()
    {
        // The game keeps the mode; a deal puts its button down even where
        // the buttons lost it.
        Window w;
        w.deal(0);
        w.form->sb_Mode_Click(w.mode(1));
        QButtonGroup* group = w.mode(0)->group();
        QVERIFY(group);
        group->setExclusive(false);
        for (int m = 0; m < 3; ++m)
            w.mode(m)->setDownState(false);
        group->setExclusive(true);
        w.deal(0);
        QCOMPARE(w.ps().N_Mode, 1);
        QVERIFY(w.mode(1)->isDownState());
    }

    // A list the level cannot be dealt from is refused with one error box
    // when the game starts, and nothing is dealt from it.
    void unusableListIsRefused_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("two items for three slots")
            << QStringList{formatItemLine(0, {}), formatItemLine(1, {})};
        QTest::newRow("line without its picture code")
            << QStringList{formatItemLine(0, {}), QStringLiteral("12"), formatItemLine(1, {}), formatItemLine(2, {})};
        QTest::newRow("empty list") << QStringList{};
    }
    void unusableListIsRefused()
    {
        QFETCH(QStringList, lines);
        Window w;
        QFile list(w.base() + QStringLiteral("/F.tx"));
        QVERIFY(list.open(QIODevice::WriteOnly | QIODevice::Truncate));
        list.write(encodeItemList(lines));
        list.close();
        guardedAction([&] { w.deal(0); });
        QCOMPARE(w.boxes.boxes.size(), 1);
        QCOMPARE(w.boxes.boxes[0].kind, Dialogs::Box::Error);
        QVERIFY2(w.boxes.boxes[0].text.contains(QStringLiteral("F.tx")), qPrintable(w.boxes.boxes[0].text));
        QCOMPARE(w.ps().N_Self, 0);
        QCOMPARE(w.ps().Correct_S, -1);
    }

    // Level 3 writes words, so the archive is first read by the shelves:
    // picture 7 (list line 3 of G.tx) is damaged, and the deal stops at the
    // first tile that shows it.
    void damagedArchiveMidDeal()
    {
        Window w(4, 11);
        QList<QByteArray> pngs;
        for (int k = 0; k < 12; ++k)
            pngs << TestContent::solidPng(QSize(20, 20), TestContent::pictureColour(k));
        pngs[7] = QByteArray("\x89PNG\r\n\x1a\n broken", 16);
        TestContent::writeArchive(w.base() + QLatin1Char('/'), pngs);
        w.ps().N_Level = 2;
        w.ps().T_Level = 200;
        guardedAction([&] { w.form->PrepareGame(2); w.form->DealShelves4(); });
        QCOMPARE(w.boxes.boxes.size(), 1);
        QCOMPARE(w.boxes.boxes[0].kind, Dialogs::Box::Error);

        const QString damaged = QStringLiteral("00007");
        bool reached = false;
        int drawn = 0;
        for (int i = 0; i < 12; ++i)
            for (int k = 0; k < 4; ++k) {
                const QString code = w.ps().T_Pic_Self[size_t(i)].Pict.mid(5 * k, 5);
                const QImage& tile = w.slot(i, k)->picture();
                if (!reached && code == damaged)
                    reached = true;
                if (!reached) {
                    QCOMPARE(centre(tile), colourOf(code));
                    ++drawn;
                } else {
                    QVERIFY(tile.isNull() || centre(tile) == 0xFFFFFFFFu);
                }
            }
        QVERIFY(reached);
        QVERIFY2(drawn > 0 && drawn < 48, qPrintable(QString::number(drawn)));
    }

    // The single random source: reproducible from a seed, always in range,
    // and 0 when there is nothing to choose from.
    void randomSource()
    {
        Window w;
        w.form->seedRandom(77);
        QList<int> first;
        for (int i = 0; i < 200; ++i) {
            const int r = w.form->random(12);
            QVERIFY(r >= 0 && r < 12);
            first << r;
        }
        w.form->seedRandom(77);
        for (int i = 0; i < 200; ++i)
            QCOMPARE(w.form->random(12), first[i]);
        QCOMPARE(w.form->random(1), 0);
        QCOMPARE(w.form->random(0), 0);
    }

    // The whole level-4 deal, many times: each stays consistent; the median
    // time is reported.
    void repeatedLevelFourDeals()
    {
        Window w(16);
        QList<qint64> times;
        for (int n = 0; n < 25; ++n) {
            QElapsedTimer clock;
            clock.start();
            w.deal(3);
            times << clock.nsecsElapsed();
            QCOMPARE(w.ps().T_Pic_Self[size_t(w.ps().Correct_S)].Pict.size(), 20);
            QVERIFY(w.form->control<DescriptionView>(QStringLiteral("rve_Text"))->plainText().endsWith(QLatin1Char('.')));
        }
        checkDealtGame(w, 3);
        std::sort(times.begin(), times.end());
        qInfo("level-4 deal (PrepareGame + DealShelves4, 48 tiles): median %.2f ms over %d deals",
              times[times.size() / 2] / 1e6, int(times.size()));
    }
};

QTEST_MAIN(TestGameSetup)
#include "test_game_setup.moc"
