// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a screen reader says without being asked. Orca speaks a focus move
// by itself, but nothing else of a window: a message, the description of a
// new deal, a shelf's new mark, the rules appearing. The window therefore
// owns one announcer, a notification to assistive technology (AT-SPI's
// notification role, shown anew with each announcement), which carries each
// of these in turn. It follows what each move of the game changed, as the
// window shows it, and never changes what the window shows.

#include <QObject>
#include <QPointer>
#include <QString>

class QAccessibleEvent;
struct GameChange;
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
    void follow(const GameChange& change);
    void announceDescription();
    void announceMark(int shelf);
    void announceClock(int ticks);

    T_Form* form;
    QWidget* help;  // the rules overlay
    announcements_detail::AnnouncerAccessible* iface = nullptr;
    unsigned id = 0;
    bool windowShown = false;
    bool descriptionDealt = false;  // a deal's description waits to be told
    int clockSeconds = 0;  // seconds left on the round clock at its last move
};

// Makes the window's announcer (once the controls and the keyboard
// navigator exist), and keeps Qt's floods of reports from drowning it.
void installAnnouncements(T_Form* form);

// The rules as text: the rules picture's words, with the set's plural word
// for its items (fruits when empty), and the keys that play the game. The
// rules overlay reads so to a screen reader.
QString rulesText(const QString& pluralWord = QString());
