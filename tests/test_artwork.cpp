// SPDX-License-Identifier: GPL-3.0-or-later
// The window's artwork: every picture, strip and cursor comes out of the
// compiled-in resources at the size the layout expects, the strips' grey
// and key-colour rules hold (a broken key punches holes in a button), and
// the badge hint keeps its line layout. A set of other items says its own
// word in the logo and the rules; the fruit set's pictures stay as they were.

#include "app/artwork.h"

#include <QCryptographicHash>
#include <QFile>
#include <QQueue>
#include <QSvgRenderer>
#include <QTest>

namespace {

QRgb opaque(QRgb c) { return c | 0xFF000000u; }

QImage frame(const QImage& strip, int i)
{
    const int w = strip.width() / 4;
    return strip.copy(i * w, 0, w, strip.height());
}

QRgb keyOf(const QImage& image) { return opaque(image.pixel(0, image.height() - 1)); }

// Key-coloured pixels that cannot be reached from the frame's edge through
// other key-coloured pixels: holes inside the drawing that the button
// would show as see-through spots.
int keyHoles(const QImage& image)
{
    const QRgb key = keyOf(image);
    const int w = image.width(), h = image.height();
    QList<bool> seen(w * h, false);
    QQueue<QPoint> todo;
    auto visit = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= h || seen[y * w + x] || opaque(image.pixel(x, y)) != key)
            return;
        seen[y * w + x] = true;
        todo.enqueue({x, y});
    };
    for (int x = 0; x < w; ++x) { visit(x, 0); visit(x, h - 1); }
    for (int y = 0; y < h; ++y) { visit(0, y); visit(w - 1, y); }
    while (!todo.isEmpty()) {
        const QPoint p = todo.dequeue();
        visit(p.x() + 1, p.y()); visit(p.x() - 1, p.y()); visit(p.x(), p.y() + 1); visit(p.x(), p.y() - 1);
    }
    int holes = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            holes += !seen[y * w + x] && opaque(image.pixel(x, y)) == key;
    return holes;
}

// Digests of the fruit set's logo and rules, computed with the build from
// before sets carried their own word (SHA-1 over the RGB32 rows).
const char* const kFruitLogo = "c15993e13f8c0301a1fc56f3e4c69ae1fadcd0ab";
const char* const kFruitRules = "512ce5ba3fe1bdfbc3af976581b47e83ea55355d";

QByteArray digestOf(const QImage& picture)
{
    // RGB32 rows are never padded: the bits are the rows end to end.
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    return QCryptographicHash::hash(QByteArrayView(image.constBits(), image.sizeInBytes()), QCryptographicHash::Sha1)
        .toHex();
}

int distinctColours(const QImage& image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    return colours.size();
}

}  // namespace

class TestArtwork : public QObject {
    Q_OBJECT
private slots:
    void resourcesLoadFromThisProgram_data();
    void resourcesLoadFromThisProgram();
    void picturesHaveTheirSizes_data();
    void picturesHaveTheirSizes();
    void unknownNamesGiveNullImages();
    void stripsHaveFourFrames_data();
    void stripsHaveFourFrames();
    void menuStripsDisabledAndPressedAreGrey_data();
    void menuStripsDisabledAndPressedAreGrey();
    void keyColourIsNotUsedInsideTheDrawing_data();
    void keyColourIsNotUsedInsideTheDrawing();
    void levelButtonsShowTheirOwnDigit();
    void cursorsAreSmallWithAlphaAndHotSpotAtTheCorner_data();
    void cursorsAreSmallWithAlphaAndHotSpotAtTheCorner();
    void windowIconHoldsEverySize();
    void bannerGroundIsWhiteKey();
    void badgeHintLayout();
    void setWordInLogoAndRules_data();
    void setWordInLogoAndRules();
};

void TestArtwork::resourcesLoadFromThisProgram_data()
{
    QTest::addColumn<QString>("file");
    for (const char* f : {"badge", "banner", "c_cancel", "c_ok", "c_select", "delete_down", "delete_up", "footer",
                          "graph", "help", "icon", "level_down", "level_up", "logo", "mode_0_down", "mode_0_up",
                          "mode_1_down", "mode_1_up", "mode_2_down", "mode_2_up", "rules", "sound_down", "sound_up",
                          "warm_play_down", "warm_play_up"})
        QTest::newRow(f) << QStringLiteral(":/assets/%1.svg").arg(f);
}

void TestArtwork::resourcesLoadFromThisProgram()
{
    QFETCH(QString, file);
    QFile source(file);
    QVERIFY2(source.open(QIODevice::ReadOnly), qPrintable(file));
    QByteArray svg = source.readAll();
    // Marker-filled sources are valid only once filled; fill with anything.
    svg.replace("@DIGIT@", "1").replace("@LIGHT@", "#000000").replace("@DARK@", "#000000").replace("@RIM@", "#000000");
    QVERIFY(QSvgRenderer(svg).isValid());
}

void TestArtwork::picturesHaveTheirSizes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::newRow("logo") << "logo" << QSize(223, 63);
    QTest::newRow("graph") << "graph" << QSize(794, 180);
    QTest::newRow("badge") << "badge" << QSize(70, 70);
    QTest::newRow("footer") << "footer" << QSize(796, 17);
    QTest::newRow("rules") << "rules" << QSize(796, 568);
    QTest::newRow("banner") << "banner" << QSize(800, 150);
}

void TestArtwork::picturesHaveTheirSizes()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    const QImage image = Artwork::picture(name);
    QCOMPARE(image.size(), size);
    // A picture that failed to render is one flat colour.
    QVERIFY2(distinctColours(image) > 20, qPrintable(name));
}

void TestArtwork::unknownNamesGiveNullImages()
{
    QVERIFY(Artwork::picture("nothing").isNull());
    QVERIFY(Artwork::strip("mode_3").isNull());
    QVERIFY(Artwork::cursorImage("c_None").isNull());
}

void TestArtwork::stripsHaveFourFrames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("frameSize");
    QTest::newRow("warm_play") << "warm_play" << QSize(82, 59);
    for (const char* n : {"mode_0", "mode_1", "mode_2", "delete"})
        QTest::newRow(n) << n << QSize(54, 54);
    for (const char* n : {"level_0", "level_1", "level_2", "level_3"})
        QTest::newRow(n) << n << QSize(49, 59);
    QTest::newRow("help") << "help" << QSize(145, 43);
    QTest::newRow("sound") << "sound" << QSize(43, 43);
}

void TestArtwork::stripsHaveFourFrames()
{
    QFETCH(QString, name);
    QFETCH(QSize, frameSize);
    const QImage s = Artwork::strip(name);
    QCOMPARE(s.size(), QSize(frameSize.width() * 4, frameSize.height()));
    // All four frames share the one key colour, and up and down differ.
    const QRgb key = keyOf(frame(s, 0));
    for (int i = 1; i < 4; ++i)
        QCOMPARE(keyOf(frame(s, i)), key);
    QVERIFY(frame(s, 0) != frame(s, 3));
    // The key must not be grey, or the grey frames could turn see-through.
    QVERIFY(!(qRed(key) == qGreen(key) && qGreen(key) == qBlue(key)));
}

void TestArtwork::menuStripsDisabledAndPressedAreGrey_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("frameIndex");
    for (const char* n : {"warm_play", "mode_0", "mode_1", "mode_2", "delete", "level_0", "level_3"}) {
        QTest::addRow("%s disabled", n) << n << 1;
        QTest::addRow("%s pressed", n) << n << 2;
    }
    QTest::newRow("help disabled") << "help" << 1;
    QTest::newRow("help down") << "help" << 3;
    QTest::newRow("sound disabled") << "sound" << 1;
    QTest::newRow("sound pressed") << "sound" << 2;
}

void TestArtwork::menuStripsDisabledAndPressedAreGrey()
{
    QFETCH(QString, name);
    QFETCH(int, frameIndex);
    const QImage s = Artwork::strip(name);
    const QImage up = frame(s, 0);
    const QImage grey = frame(s, frameIndex);
    const QRgb key = keyOf(up);
    int drawn = 0;
    for (int y = 0; y < grey.height(); ++y) {
        for (int x = 0; x < grey.width(); ++x) {
            const QRgb g = grey.pixel(x, y);
            // The key stays where the up frame has it, so the grey button has
            // the same outline.
            QCOMPARE(opaque(g) == key, opaque(up.pixel(x, y)) == key);
            if (opaque(g) == key)
                continue;
            ++drawn;
            if (qRed(g) != qGreen(g) || qGreen(g) != qBlue(g))
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2 is not grey").arg(x).arg(y)));
        }
    }
    QVERIFY(drawn > grey.width() * grey.height() / 3);
}

void TestArtwork::keyColourIsNotUsedInsideTheDrawing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("frameIndex");
    for (const char* n : {"warm_play", "mode_0", "mode_1", "mode_2", "delete", "level_0", "level_1", "level_2",
                          "level_3", "help", "sound"})
        for (int i = 0; i < 4; ++i)
            QTest::addRow("%s frame %d", n, i) << n << i;
}

void TestArtwork::keyColourIsNotUsedInsideTheDrawing()
{
    QFETCH(QString, name);
    QFETCH(int, frameIndex);
    const QImage f = frame(Artwork::strip(name), frameIndex);
    QCOMPARE(keyHoles(f), 0);
    // The button itself is drawn: its centre is never the key.
    QVERIFY(opaque(f.pixel(f.width() / 2, f.height() / 2)) != keyOf(f));
}

void TestArtwork::levelButtonsShowTheirOwnDigit()
{
    // The digit is filled into one source; four equal pictures would mean
    // the fill failed.
    QList<QImage> ups;
    for (int i = 0; i < 4; ++i)
        ups << frame(Artwork::strip(QStringLiteral("level_%1").arg(i)), 0);
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j)
            QVERIFY2(ups[i] != ups[j], qPrintable(QStringLiteral("levels %1 and %2").arg(i).arg(j)));
}

void TestArtwork::cursorsAreSmallWithAlphaAndHotSpotAtTheCorner_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("c_Cancel") << "c_Cancel";
    QTest::newRow("c_Ok") << "c_Ok";
    QTest::newRow("c_Select") << "c_Select";
}

void TestArtwork::cursorsAreSmallWithAlphaAndHotSpotAtTheCorner()
{
    QFETCH(QString, name);
    const QImage c = Artwork::cursorImage(name);
    QCOMPARE(c.size(), QSize(32, 32));
    QVERIFY(c.hasAlphaChannel());
    int clear = 0, solid = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            clear += qAlpha(c.pixel(x, y)) == 0;
            solid += qAlpha(c.pixel(x, y)) == 255;
        }
    QVERIFY2(clear > 100, "the cursor needs a see-through ground");
    QVERIFY2(solid > 40, "the cursor needs a solid shape");
    // The shape reaches the hot spot, so the pupil sees where it points.
    QVERIFY(qAlpha(c.pixel(1, 1)) > 128);
}

void TestArtwork::windowIconHoldsEverySize()
{
    const QIcon icon = Artwork::windowIcon();
    QList<QSize> sizes = icon.availableSizes();
    std::sort(sizes.begin(), sizes.end(), [](QSize a, QSize b) { return a.width() < b.width(); });
    QCOMPARE(sizes, (QList<QSize>{{16, 16}, {32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}}));
    // Each size is rendered, not a blank square: the apple's red is there.
    for (const QSize& s : sizes) {
        const QImage image = icon.pixmap(s).toImage();
        const QColor middle = image.pixelColor(s.width() * 3 / 5, s.height() / 2);
        QVERIFY2(middle.red() > 150 && middle.green() < 100, qPrintable(QString::number(s.width())));
    }
}

void TestArtwork::bannerGroundIsWhiteKey()
{
    const QImage banner = Artwork::picture("banner");
    QCOMPARE(keyOf(banner), QColor(Qt::white).rgb());
    QCOMPARE(opaque(banner.pixel(banner.width() - 1, 0)), QColor(Qt::white).rgb());
}

void TestArtwork::badgeHintLayout()
{
    const QString hint = Artwork::badgeHint();
    QVERIFY(!hint.contains('\n'));
    QVERIFY(hint.startsWith('\r'));
    QVERIFY(hint.endsWith('\r'));
    QStringList lines = hint.split('\r');
    lines.removeLast();  // what follows the final carriage return
    QCOMPARE(lines.size(), 12);
    QVERIFY(lines[0].isEmpty());
    QCOMPARE(lines[5].trimmed(), QStringLiteral("_________"));
    QVERIFY(lines[6].isEmpty());
    int previousPad = -1;
    int previousLength = 0;
    for (int i = 1; i < 12; ++i) {
        if (i == 6)
            continue;
        const QString& line = lines[i];
        int pad = 0;
        while (pad < line.size() && line[pad] == ' ')
            ++pad;
        QVERIFY2(pad >= 4 && pad <= 33, qPrintable(line));
        QVERIFY2(pad < line.size(), "a text line needs text");
        // Centred: the longer the text, the fewer blanks before it.
        const int length = line.size() - pad;
        if (previousPad >= 0 && i != 5 && i != 7) {
            if (length > previousLength)
                QVERIFY2(pad <= previousPad, qPrintable(line));
            if (length < previousLength)
                QVERIFY2(pad >= previousPad, qPrintable(line));
        }
        previousPad = pad;
        previousLength = length;
    }
    QVERIFY(hint.contains(QStringLiteral("matematycznej")));
    QVERIFY(hint.contains(QStringLiteral("Działanie")));
}

void TestArtwork::setWordInLogoAndRules_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QRect>("changes");  // where the word may change the picture; empty: nowhere
    const QRect subtitle(60, 46, 160, 14);
    const QRect rulesText(20, 90, 760, 160);
    for (const char* word : {"", "owoce"}) {
        QTest::addRow("logo, '%s'", word) << "logo" << word << QRect();
        QTest::addRow("rules, '%s'", word) << "rules" << word << QRect();
    }
    QTest::newRow("logo, zwierzęta") << "logo" << "zwierzęta" << subtitle;
    QTest::newRow("rules, zwierzęta") << "rules" << "zwierzęta" << rulesText.united(subtitle.translated(8, 4));
    // A long word is made smaller, never drawn past the logo's edge.
    const QString longWord = "przybory szkolne i plastyczne na lekcje";
    QTest::newRow("logo, a long word") << "logo" << longWord << subtitle;
}

void TestArtwork::setWordInLogoAndRules()
{
    QFETCH(QString, name);
    QFETCH(QString, word);
    QFETCH(QRect, changes);
    const QImage fruit = Artwork::picture(name);
    QCOMPARE(digestOf(fruit), QByteArray(name == "logo" ? kFruitLogo : kFruitRules));
    const QImage image = Artwork::picture(name, word);
    QCOMPARE(image.size(), fruit.size());
    QCOMPARE(image == fruit, changes.isEmpty());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!changes.contains(x, y) && image.pixel(x, y) != fruit.pixel(x, y))
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2 changed").arg(x).arg(y)));
}

QTEST_MAIN(TestArtwork)
#include "test_artwork.moc"
