// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/window_placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {

void centreByOuterSize(QWidget* window)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect outer(QPoint(), window->frameGeometry().size());
        window->move(screen->geometry().center() - outer.center());
    }
}

bool frameKnown(const QWidget* window)
{
    return window->frameGeometry() != window->geometry();
}

// Watches the window until the window manager has put its frame round it
// (the window is shown or moved with a frame), centres it then and leaves.
class FramePlacer : public QObject {
public:
    explicit FramePlacer(QWidget* window) : QObject(window), window(window) { window->installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const bool framing = event->type() == QEvent::Show || event->type() == QEvent::Move
                             || event->type() == QEvent::Resize;
        if (watched == window && framing && window->isVisible() && frameKnown(window)) {
            window->removeEventFilter(this);
            centreByOuterSize(window);
            deleteLater();
        }
        return false;
    }

private:
    QWidget* window;
};

}  // namespace

void placeAtScreenCentre(QWidget* window)
{
    centreByOuterSize(window);
    if (window->isWindow() && !window->windowFlags().testFlag(Qt::FramelessWindowHint) && !frameKnown(window))
        new FramePlacer(window);
}
