// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Playing without a mouse. Every key stands for a click on a control and
// calls what that click calls (the control's click, or the shelves' left
// mouse-down handler), so the rules of the game exist once. The focus moves
// over the shelves as they stand on screen and through the controls; a ring
// marks it from the first key press on, and hides at the next mouse click.

#include <QList>
#include <QObject>
#include <QPoint>

class FocusRing;
class Panel;
class QKeyEvent;
class QWidget;
class T_Form;

class KeyboardNavigator : public QObject {
    Q_OBJECT
public:
    explicit KeyboardNavigator(T_Form* form);

    // The keys and what they do, as the rules read to a screen reader and
    // the README give them.
    static QString keyList();

    // The ring is drawn: a key was pressed since the last mouse click.
    bool ringShown() const { return ringWanted; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // True when the key is one of ours; it then goes no further.
    bool keyPressed(const QKeyEvent& event);
    void clickIfUsable(QWidget* control);
    // Before a click on `control` that takes the focused shelf away.
    void letGoOfVanishingShelf(QWidget* control, QWidget* focusThen);
    void handOnFocusOfVanishingShelf(QWidget* shelf);
    void pressFocused();
    void moveAmongShelves(int key);
    void moveAlongChain(bool forward);

    Panel* currentFrame() const;
    // The shelves on the table that take a click, in reading order on screen.
    QList<QWidget*> shelvesOnScreen() const;
    // Everything the focus visits: menu bar, shelves, lower panel.
    QList<QWidget*> focusChain() const;
    QWidget* visibleOf(const char* first, const char* second) const;

    void focusOn(QWidget* control);
    // Puts the focus back on something usable after an action: beside a
    // shelf that has just left the table, else on the current level button.
    void settle(QWidget* acted, QPoint actedCentre);
    void focusFirstShelfOfDeal();
    void updateRing();

    T_Form* form;
    FocusRing* ring;
    QWidget* help;  // the rules overlay
    bool ringWanted = false;
};
