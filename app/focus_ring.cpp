// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/focus_ring.h"

#include <QPainter>

namespace {

// Dark blue stands out on the shelf colour, on the red, green, yellow and
// pink of the outcomes and on the yellow-green of the menu bar.
const QColor kRingColor(0x1A, 0x3C, 0xA0);
constexpr int kBandWidth = 3;

}  // namespace

FocusRing::FocusRing(QWidget* window) : QWidget(window)
{
    setObjectName(QStringLiteral("focusRing"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void FocusRing::follow(QWidget* target, const QWidget* cover)
{
    QWidget* window = parentWidget();
    const bool covered = cover && cover->isVisible();
    if (!target || !target->isVisible() || covered || !window->isAncestorOf(target)) {
        hide();
        return;
    }
    const QRect area(target->mapTo(window, QPoint(0, 0)), target->size());
    setGeometry(area.adjusted(-Margin, -Margin, Margin, Margin));
    raise();
    show();
    update();
}

void FocusRing::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect outer = rect();
    for (int i = 0; i < kBandWidth; ++i) {
        painter.setPen(kRingColor);
        painter.drawRect(outer.adjusted(i, i, -i - 1, -i - 1));
    }
    painter.setPen(Qt::white);
    painter.drawRect(outer.adjusted(kBandWidth, kBandWidth, -kBandWidth - 1, -kBandWidth - 1));
}
