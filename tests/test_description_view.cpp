// SPDX-License-Identifier: GPL-3.0-or-later
// The description strip: its six operations, the two text styles and the
// pictures on the line, and how it looks (strip colour, white text even
// while disabled, wrapping and cutting at the bottom).
#include "draw/description_view.h"

#include <QTest>

namespace {

const QRgb strip = 0xFFA1B822;

QImage solid(int size, QRgb colour)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

struct Fixture {
    QWidget window;
    DescriptionView* view;
    Fixture() : view(new DescriptionView(&window, QStringLiteral("rve_Text")))
    {
        window.resize(792, 60);
        view->setGeometry(0, 0, 792, 60);
        view->setEnabled(false);
    }
    QImage shot()
    {
        view->Format();
        return view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
};

int countPixels(const QImage& image, const std::function<bool(QRgb)>& test)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += test(image.pixel(x, y)) ? 1 : 0;
    return n;
}

// How much of white over the strip colour a pixel shows, 0..1, or -1 when
// the pixel is no such blend (another colour, such as greyed text).
double whiteOverStrip(QRgb p)
{
    const double t = (qBlue(p) - qBlue(strip)) / double(255 - qBlue(strip));
    const bool onBlend = qAbs(qRed(p) - (qRed(strip) + t * (255 - qRed(strip)))) <= 8
                         && qAbs(qGreen(p) - (qGreen(strip) + t * (255 - qGreen(strip)))) <= 8;
    return onBlend ? t : -1;
}

// A pixel of text: at least half white.
bool isWhite(QRgb p) { return whiteOverStrip(p) > 0.5; }

}  // namespace

class TestDescriptionView : public QObject {
    Q_OBJECT
private slots:
    void operations()
    {
        Fixture f;
        f.view->InsertText(QStringLiteral("ab"));
        f.view->InsertText(QStringLiteral("X"), true);   // the caret stays before X
        f.view->InsertText(QStringLiteral("c"));
        QImage bitmap = solid(32, 0xFFFF0000);
        f.view->InsertPicture(QString(), bitmap);
        bitmap.fill(0xFF0000FF);   // the drawing surface changes afterwards
        f.view->CurTextStyleNo(DescriptionView::Kropka);
        f.view->InsertText(QString::fromUtf16(u" \u0098  "));
        f.view->CurTextStyleNo(DescriptionView::NormalText);
        f.view->InsertPicture(QString(), bitmap);
        // Add appends at the end whatever the caret does, in the same paragraph.
        f.view->Add(QStringLiteral(" koniec."), 0);
        QCOMPARE(f.view->plainText(), QString::fromUtf16(u"abc\uFFFC \u0098  \uFFFCX koniec."));
        QCOMPARE(f.view->pictureCount(), 2);
        QCOMPARE(f.view->pictures()[0].pixel(5, 5), 0xFFFF0000u);
        QCOMPARE(f.view->pictures()[1].pixel(5, 5), 0xFF0000FFu);

        // Clear empties the content and its pictures; the caret is at the start;
        // the style is the caller's business and stays.
        f.view->CurTextStyleNo(1);
        f.view->Clear();
        QCOMPARE(f.view->plainText(), QString());
        QCOMPARE(f.view->pictureCount(), 0);
        QCOMPARE(f.view->curTextStyleNo(), 1);
        f.view->CurTextStyleNo(0);
        f.view->InsertText(QStringLiteral("nowe"));
        QCOMPARE(f.view->plainText(), QStringLiteral("nowe"));
    }

    void emptyStripShowsItsColourOnly()
    {
        Fixture f;
        f.view->InsertText(QStringLiteral("coś"));
        f.view->Clear();
        const QImage shot = f.shot();
        QCOMPARE(shot.size(), QSize(792, 60));
        QCOMPARE(countPixels(shot, [](QRgb p) { return (p | 0xFF000000) != strip; }), 0);
    }

    void pictureOnTheLineWithinTheMargins()
    {
        Fixture f;
        f.view->InsertPicture(QString(), solid(32, 0xFFFF0000));
        f.view->InsertText(QStringLiteral(" leży"));
        const QImage shot = f.shot();
        // 5-pixel margins: the picture's top-left pixel at (5, 5).
        QCOMPARE(shot.pixel(5, 5), 0xFFFF0000u);
        QCOMPARE(shot.pixel(36, 36), 0xFFFF0000u);
        QCOMPARE(shot.pixel(4, 20), strip);
        QCOMPARE(shot.pixel(20, 4), strip);
        QCOMPARE(shot.pixel(20, 37), strip);
        // The words stand on the picture's bottom edge: white pixels within
        // the picture's height, right of it, none of them below the line.
        const QImage words = shot.copy(37, 0, 100, 60);
        QVERIFY(countPixels(words.copy(0, 5, 100, 33), isWhite) > 10);
        QCOMPARE(countPixels(words.copy(0, 40, 100, 20), isWhite), 0);
    }

    void whiteTextWhileDisabled()
    {
        Fixture f;
        QVERIFY(!f.view->isEnabled());
        f.view->Add(QStringLiteral("Jabłko leży obok gruszki."), 0);
        const QImage shot = f.shot();
        QVERIFY(countPixels(shot, [](QRgb p) { return whiteOverStrip(p) > 0.9; }) > 20);
        // No greyed text: every pixel is the strip, white or a blend of the two.
        QCOMPARE(countPixels(shot, [](QRgb p) { return whiteOverStrip(p) < 0; }), 0);
    }

    void dotsAreSmallButVisible()
    {
        Fixture text;
        text.view->InsertText(QStringLiteral("ooo"));
        Fixture dot;
        dot.view->CurTextStyleNo(1);
        dot.view->InsertText(QString::fromUtf16(u"\u0098"));
        dot.view->CurTextStyleNo(0);
        auto box = [](const QImage& shot) {
            QRect r;
            for (int y = 0; y < shot.height(); ++y)
                for (int x = 0; x < shot.width(); ++x)
                    if (qRed(shot.pixel(x, y)) > 200)
                        r |= QRect(x, y, 1, 1);
            return r;
        };
        const QRect letters = box(text.shot());
        const QRect dots = box(dot.shot());
        QVERIFY(!dots.isEmpty());   // visible
        QVERIFY2(dots.height() < letters.height() && dots.width() < letters.width() / 2,
                 qPrintable(QStringLiteral("dot %1x%2, text %3x%4").arg(dots.width()).arg(dots.height())
                                .arg(letters.width()).arg(letters.height())));
    }

    void wrapsAndCutsAtTheBottom()
    {
        Fixture f;
        for (int i = 0; i < 30; ++i) {   // 30 pictures are wider than the strip
            f.view->InsertPicture(QString(), solid(32, 0xFFFF0000));
            f.view->InsertText(QStringLiteral(" "));
        }
        const QImage shot = f.shot();
        QVERIFY(f.view->contentHeight() > 60);
        // The second line begins at the left margin and is cut by the strip's bottom.
        QCOMPARE(shot.pixel(5, 59), 0xFFFF0000u);
        QCOMPARE(shot.pixel(787, 20), strip);   // the right margin stays free
    }
};

QTEST_MAIN(TestDescriptionView)
#include "test_description_view.moc"
