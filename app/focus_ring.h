// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The keyboard focus ring: a see-through overlay above the window that
// draws a dark blue band with a white inner line around the focused shelf
// or button. It shows only while the player uses the keyboard; the controls
// themselves paint exactly as they do for the mouse.

#include <QPointer>
#include <QWidget>

class FocusRing : public QWidget {
    Q_OBJECT
public:
    // The ring stands this far outside the control it surrounds.
    static constexpr int Margin = 4;

    explicit FocusRing(QWidget* window);

    // Surrounds `target` (a control of the window), or hides when it is
    // null, hidden or covered by `cover` (the rules overlay).
    void follow(QWidget* target, const QWidget* cover);

protected:
    void paintEvent(QPaintEvent* event) override;
};
