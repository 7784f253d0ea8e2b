#include "app/artwork.h"

#include <QHash>
#include <QPainter>

// Plain stand-in pictures of the right sizes until the real artwork lands.

namespace Artwork {
namespace {

QImage plain(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

}  // namespace

QImage picture(const QString& name)
{
    static const QHash<QString, QSize> sizes{
        {"logo", {223, 63}}, {"graph", {794, 180}}, {"badge", {70, 70}},
        {"footer", {796, 17}}, {"rules", {796, 568}}, {"banner", {800, 150}}};
    return plain(sizes.value(name, QSize(1, 1)), QColor(0x30, 0x64, 0x00));
}

QImage strip(const QString& name)
{
    static const QHash<QString, QSize> frames{
        {"warm_play", {82, 59}}, {"mode_0", {54, 54}}, {"mode_1", {54, 54}}, {"mode_2", {54, 54}},
        {"delete", {54, 54}}, {"level_0", {49, 59}}, {"level_1", {49, 59}}, {"level_2", {49, 59}},
        {"level_3", {49, 59}}, {"help", {145, 43}}, {"sound", {43, 43}}};
    const QSize f = frames.value(name, QSize(1, 1));
    QImage image(f.width() * 4, f.height(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    const QColor colours[4] = {QColor(0x40, 0x80, 0xC0), Qt::gray, Qt::darkGray, QColor(0xC0, 0x40, 0x40)};
    for (int i = 0; i < 4; ++i)
        p.fillRect(i * f.width() + 4, 4, f.width() - 8, f.height() - 8, colours[i]);
    return image;
}

QImage cursorImage(const QString&)
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(0, 0, 20, 20);
    return image;
}

QIcon windowIcon()
{
    return QIcon(QPixmap::fromImage(plain({32, 32}, Qt::red)));
}

QString badgeHint()
{
    return QStringLiteral("\r    Projekt edukacyjny\r");
}

}  // namespace Artwork
