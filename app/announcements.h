// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a screen reader says without being asked. Orca speaks a focus move
// by itself, but nothing else of a window: a message, the description of a
// new deal, a shelf's new mark, the rules appearing. The window therefore
// owns one announcer, a notification to assistive technology (AT-SPI's
// notification role, shown anew with each announcement), which carries each
// of these in turn. The announcer reads the controls after the handlers have
// run and never changes what the window shows.

#include <QObject>
#include <QPointer>
#include <QString>

class QAccessibleEvent;
class QWidget;
class T_Form;

namespace announcements_detail {
class AnnouncerAccessible;
}

class Announcer : public QObject {
    Q_OBJECT
public:
    explicit Announcer(T_Form* form);
    ~Announcer() override;

    // Tells `text` to assistive technology now.
    void announce(const QString& text);

signals:
    // Each announcement as it is made.
    void announced(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void announceDescription();

    T_Form* form;
    QWidget* help;  // the rules overlay
    announcements_detail::AnnouncerAccessible* iface = nullptr;
    unsigned id = 0;
    bool windowShown = false;
    int clockSeconds = 0;  // seconds left on the round clock at its last move
    // The focused shelf and its mark when the key or the click began.
    QPointer<QWidget> pressedShelf;
    bool wasMarked = false;
};

// Makes the window's announcer (once the controls and the keyboard
// navigator exist), and keeps Qt's floods of reports from drowning it.
void installAnnouncements(T_Form* form);

// The rules as text: the rules picture's words and the keys that play the
// game. The rules overlay reads so to a screen reader.
QString rulesText();
