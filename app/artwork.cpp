// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/artwork.h"

#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHash>
#include <QLocale>
#include <QPainter>
#include <QStringList>
#include <QSvgRenderer>
#include <QtDebug>

#include <algorithm>
#include <array>
#include <cmath>

namespace Artwork {
namespace {

// Key colours painted as the background of the keyed SVGs. They are not
// grey, so no grey frame computed below can ever match them, and they are
// close to the colours the buttons sit on, so anti-aliased edges blend in.
constexpr QRgb kMenuKey = 0xFFE4E61A;   // menu bar strips (bar #E3E61B)
constexpr QRgb kLowerKey = 0xFFB8C832;  // help and sound strips (lower panels)

struct Fill {
    QByteArray marker;
    QByteArray value;
};

// The screen's pixels per layout pixel: a scaled window's artwork is drawn
// from its SVG at the screen's own resolution, never enlarged from 100 %.
qreal screenRatio()
{
    return qGuiApp ? qGuiApp->devicePixelRatio() : 1;
}

QImage renderSvg(const QString& file, QSize size, const QList<Fill>& fills = {}, qreal ratio = screenRatio())
{
    QImage image(QSize(qRound(size.width() * ratio), qRound(size.height() * ratio)), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QFile source(QStringLiteral(":/assets/") + file);
    if (!source.open(QIODevice::ReadOnly)) {
        qWarning("Artwork: missing resource %s", qPrintable(file));
        return image.convertToFormat(QImage::Format_ARGB32);
    }
    QByteArray svg = source.readAll();
    for (const Fill& fill : fills)
        svg.replace(fill.marker, fill.value);
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) {
        qWarning("Artwork: cannot read %s", qPrintable(file));
        return image.convertToFormat(QImage::Format_ARGB32);
    }
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

// A grey version of a frame: every pixel but the key takes its grey value,
// lifted towards white for the disabled look or darkened for the pressed one.
QImage greyVersion(const QImage& up, QRgb key, bool pressed)
{
    QImage grey = up.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < grey.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            if ((line[x] | 0xFF000000u) == (key | 0xFF000000u))
                continue;
            const int g = qGray(line[x]);
            const int v = pressed ? g * 3 / 4 : 140 + g * 2 / 5;
            line[x] = qRgba(v, v, v, qAlpha(line[x]));
        }
    }
    return grey;
}

QImage joinFrames(const std::array<QImage, 4>& frames)
{
    // Laid side by side pixel for pixel, in the frames' own pixels.
    const QSize f = frames[0].size();
    QImage strip(f.width() * 4, f.height(), QImage::Format_ARGB32);
    strip.fill(Qt::transparent);
    {
        QPainter painter(&strip);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        for (int i = 0; i < 4; ++i)
            painter.drawImage(QRect(QPoint(i * f.width(), 0), f), frames[i]);
    }
    strip.setDevicePixelRatio(frames[0].devicePixelRatio());
    return strip;
}

// A menu-bar strip: up and down drawn, disabled and pressed computed grey.
QImage menuStrip(const QString& upFile, const QString& downFile, QSize frame, const QList<Fill>& fills = {})
{
    const QImage up = renderSvg(upFile, frame, fills);
    return joinFrames({up, greyVersion(up, kMenuKey, false), greyVersion(up, kMenuKey, true),
                       renderSvg(downFile, frame, fills)});
}

QImage makeStrip(const QString& name)
{
    if (name == QLatin1String("warm_play"))
        return menuStrip("warm_play_up.svg", "warm_play_down.svg", {82, 59});
    if (name == QLatin1String("delete"))
        return menuStrip("delete_up.svg", "delete_down.svg", {54, 54});
    for (int i = 0; i < 3; ++i)
        if (name == QStringLiteral("mode_%1").arg(i))
            return menuStrip(QStringLiteral("mode_%1_up.svg").arg(i), QStringLiteral("mode_%1_down.svg").arg(i), {54, 54});
    for (int i = 0; i < 4; ++i)
        if (name == QStringLiteral("level_%1").arg(i))
            return menuStrip("level_up.svg", "level_down.svg", {49, 59}, {{"@DIGIT@", QByteArray::number(i + 1)}});
    if (name == QLatin1String("help")) {
        // Up blue, pressed green, disabled and down grey.
        const QList<Fill> blue{{"@LIGHT@", "#5A9AF0"}, {"@DARK@", "#1A4EA8"}, {"@RIM@", "#0E2E6A"}};
        const QList<Fill> green{{"@LIGHT@", "#6ED24A"}, {"@DARK@", "#2A8A12"}, {"@RIM@", "#145208"}};
        const QImage up = renderSvg("help.svg", {145, 43}, blue);
        return joinFrames({up, greyVersion(up, kLowerKey, false), renderSvg("help.svg", {145, 43}, green),
                           greyVersion(up, kLowerKey, true)});
    }
    if (name == QLatin1String("sound")) {
        // Up: sound on; disabled and pressed grey; down: sound off.
        const QImage up = renderSvg("sound_up.svg", {43, 43});
        return joinFrames({up, greyVersion(up, kLowerKey, false), greyVersion(up, kLowerKey, true),
                           renderSvg("sound_down.svg", {43, 43})});
    }
    return {};
}

// The frame of a strip, for drawing buttons into the rules picture.
QImage frameOf(const QString& stripName, int frame)
{
    const QImage s = strip(stripName);
    const int w = s.width() / 4;
    return s.copy(frame * w, 0, w, s.height());
}

// Draws `image` with its key colour (bottom-left pixel) left out.
void drawKeyed(QPainter& painter, const QRectF& target, const QImage& image)
{
    QImage keyed = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = keyed.pixel(0, keyed.height() - 1) | 0xFF000000u;
    for (int y = 0; y < keyed.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x)
            if ((line[x] | 0xFF000000u) == key)
                line[x] = 0;
    }
    painter.drawImage(target, keyed);
}

// One line of an SVG's text said with another word: the whole element from
// its font size to its end is replaced, the size made smaller where the new
// text would not fit `maxWidth` pixels at the drawn size.
struct TextLine {
    double fontSize;
    const char* attributes;  // between the font size and the text
    QString original;
    bool bold;
    double letterSpacing;
    double maxWidth;
};

Fill retold(const TextLine& line, const QString& text)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(100);
    font.setBold(line.bold);
    const double width = QFontMetricsF(font).horizontalAdvance(text) * line.fontSize / 100.0 +
                         line.letterSpacing * double(text.size());
    const double size = width > line.maxWidth ? line.fontSize * line.maxWidth / width : line.fontSize;
    const auto element = [&](double fontSize, const QString& content) {
        return QByteArray("font-size=\"") + QByteArray::number(fontSize, 'g', 4) + "\"" + line.attributes + ">" +
               content.toHtmlEscaped().toUtf8() + "</text>";
    };
    return {element(line.fontSize, line.original), element(size, text)};
}

bool isFruitSet(const QString& pluralWord)
{
    return pluralWord.isEmpty() || pluralWord == QLatin1String("owoce");
}

// "zwierzęta na półkach": the plural word in the nominative, which the
// subtitle's own "półki z owocami" would need declined.
QString onShelves(const QString& pluralWord) { return pluralWord + QStringLiteral(" na półkach"); }

QImage makeLogo(const QString& pluralWord)
{
    QList<Fill> fills;
    if (!isFruitSet(pluralWord))
        fills << retold({9.5, " fill=\"#D8ECA0\" letter-spacing=\"0.5\"", QStringLiteral("półki z owocami"), false, 0.5,
                         153},
                        onShelves(pluralWord));
    QImage logo = renderSvg("logo.svg", {223, 63}, fills);
    QPainter painter(&logo);
    painter.drawImage(QPoint(9, 9), iconImage(45));
    return logo;
}

// The rules picture: its SVG leaves places free for the window's own
// pictures, drawn here so the rules always show what the pupil will see.
QImage makeRules(const QString& pluralWord, const QList<Fill>& colours = {})
{
    QList<Fill> fills;
    if (!isFruitSet(pluralWord)) {
        const QString upper = QLocale(QLocale::Polish).toUpper(pluralWord);
        fills << retold({17, " font-weight=\"bold\"",
                         QStringLiteral("ZNAJDŹ PÓŁKĘ, NA KTÓREJ OWOCE SĄ UŁOŻONE ZGODNIE Z OPISEM"), true, 0, 740},
                        QStringLiteral("ZNAJDŹ PÓŁKĘ, NA KTÓREJ %1 SĄ UŁOŻONE ZGODNIE Z OPISEM").arg(upper))
              << retold({15, " font-weight=\"bold\" fill=\"#3C8C06\"", QStringLiteral("Trefolia — półki z owocami"),
                         true, 0, 740},
                        QStringLiteral("Trefolia — ") + onShelves(pluralWord))
              << retold({15, "",
                         QStringLiteral("Przeczytaj opis, jak owoce leżą obok siebie, i znajdź półkę, która do niego "
                                        "pasuje."),
                         false, 0, 740},
                        QStringLiteral("Przeczytaj opis, jak %1 leżą obok siebie, i znajdź półkę, która do niego "
                                       "pasuje.")
                            .arg(pluralWord));
    }
    QImage rules = renderSvg("rules.svg", {796, 568}, fills + colours);
    QPainter painter(&rules);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QPoint(8, 4), picture("logo", pluralWord));
    for (int i = 0; i < 4; ++i)
        drawKeyed(painter, QRectF(398 + 34 * i, 146, 30, 36), frameOf(QStringLiteral("level_%1").arg(i), 0));
    struct LegendRow {
        QString button;
        QString cursor;
        QPoint at;
    };
    const LegendRow legend[] = {{"mode_0", "c_Cancel", {30, 284}},
                                {"mode_1", "c_Ok", {30, 332}},
                                {"mode_2", "c_Select", {410, 284}},
                                {"delete", QString(), {410, 332}}};
    for (const LegendRow& row : legend) {
        drawKeyed(painter, QRectF(row.at, QSizeF(40, 40)), frameOf(row.button, 0));
        if (!row.cursor.isEmpty())
            painter.drawImage(row.at + QPoint(48, 4), cursorImage(row.cursor));
    }
    drawKeyed(painter, QRectF(712, 463, 70, 70), picture("badge"));
    painter.drawImage(QPoint(0, 551), picture("footer"));
    return rules;
}

QImage makePicture(const QString& name, const QString& pluralWord)
{
    if (name == QLatin1String("logo"))
        return makeLogo(pluralWord);
    if (name == QLatin1String("graph"))
        return renderSvg("graph.svg", {794, 180});
    if (name == QLatin1String("badge"))
        return renderSvg("badge.svg", {70, 70});
    if (name == QLatin1String("footer"))
        return renderSvg("footer.svg", {796, 17});
    if (name == QLatin1String("banner"))
        return renderSvg("banner.svg", {800, 150});
    if (name == QLatin1String("rules"))
        return makeRules(pluralWord);
    return {};
}

QImage cached(QHash<QString, QImage>& cache, const QString& name, QImage (*make)(const QString&))
{
    auto it = cache.constFind(name);
    if (it != cache.constEnd())
        return *it;
    const QImage image = make(name);
    if (!image.isNull())
        cache.insert(name, image);
    return image;
}

}  // namespace

QImage picture(const QString& name, const QString& pluralWord)
{
    // One picture per name and word; the fruit set's under its name alone.
    static QHash<QString, QImage> cache;
    const QString word = isFruitSet(pluralWord) ? QString() : pluralWord;
    const QString key = word.isEmpty() ? name : name + QLatin1Char('\n') + word;
    auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return *it;
    const QImage image = makePicture(name, word);
    if (!image.isNull())
        cache.insert(key, image);
    return image;
}

QImage contrastRules(const QString& pluralWord)
{
    // The subtitle (3.9:1 on the page) and the closing line (2:1) in the
    // dark green of the closing line's shadow, 9:1; the rest already holds.
    static QHash<QString, QImage> cache;
    const QString word = isFruitSet(pluralWord) ? QString() : pluralWord;
    auto it = cache.constFind(word);
    if (it == cache.constEnd())
        it = cache.insert(word, makeRules(word, {{"fill=\"#3C8C06\"", "fill=\"#2E4A00\""},
                                                 {"fill=\"#9CB814\"", "fill=\"#2E4A00\""}}));
    return *it;
}

QImage strip(const QString& name)
{
    static QHash<QString, QImage> cache;
    return cached(cache, name, makeStrip);
}

QImage cursorImage(const QString& name)
{
    static const QHash<QString, QString> files{
        {"c_Cancel", "c_cancel.svg"}, {"c_Ok", "c_ok.svg"}, {"c_Select", "c_select.svg"}};
    const QString file = files.value(name);
    return file.isEmpty() ? QImage() : renderSvg(file, {32, 32});
}

QList<int> iconSizes()
{
    return {16, 32, 48, 64, 128, 256};
}

QImage iconImage(int size)
{
    return renderSvg("icon.svg", {size, size});
}

QIcon windowIcon()
{
    // The window manager asks for icons by their pixels.
    QIcon icon;
    for (int size : iconSizes())
        icon.addPixmap(QPixmap::fromImage(renderSvg("icon.svg", {size, size}, {}, 1)));
    return icon;
}

QString badgeHint()
{
    // Lines in order: an empty one, the project and its aim, a short rule,
    // an empty one, the partner and the funding programme.
    static const QStringList lines{
        QString(),
        QStringLiteral("Projekt edukacyjny „Myślę znakami”"),
        QStringLiteral("rozwijanie umiejętności posługiwania się"),
        QStringLiteral("językiem symbolicznym w edukacji matematycznej"),
        QStringLiteral("z piktogramami wydawnictwa Piktogramik"),
        QStringLiteral("_________"),
        QString(),
        QStringLiteral("Partner projektu: Uniwersytet Nadrzeczny"),
        QStringLiteral("Projekt współfinansowany ze środków"),
        QStringLiteral("Wspólnego Funduszu Edukacyjnego"),
        QStringLiteral("w ramach programu „Kapitał Wiedzy”"),
        QStringLiteral("Priorytet III, Działanie 3.2"),
    };
    // The hint window uses a proportional font in which a blank is about
    // half as wide as an average letter, so half the missing width in
    // letters is about as many blanks as letters are missing.
    int widest = 0;
    for (const QString& line : lines)
        widest = std::max(widest, int(line.size()));
    QString text;
    for (const QString& line : lines) {
        if (!line.isEmpty())
            text += QString(std::clamp(4 + int(widest - line.size()), 4, 33), QLatin1Char(' ')) + line;
        text += QLatin1Char('\r');
    }
    return text;
}

}  // namespace Artwork
