// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/keyboard.h"

#include "app/action_guard.h"
#include "app/focus_ring.h"
#include "app/high_contrast.h"
#include "app/t_form.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>

#include <algorithm>
#include <tuple>

namespace {

bool usable(const QWidget* control)
{
    return control && control->isVisible() && control->isEnabled();
}

QPoint centreIn(const QWidget* window, const QWidget* control)
{
    return control->mapTo(window, control->rect().center());
}

// Reading order on screen: rows from the top, left to right within a row.
bool readsBefore(const QPoint& a, const QPoint& b)
{
    return a.y() != b.y() ? a.y() < b.y() : a.x() < b.x();
}

}  // namespace

KeyboardNavigator::KeyboardNavigator(T_Form* form)
    : QObject(form), form(form), ring(new FocusRing(form)), help(form->control(QStringLiteral("_Help")))
{
    setObjectName(QStringLiteral("keyboardNavigator"));
    // Tab focus only: a mouse click never moves the focus, so nothing of the
    // mouse play changes.
    for (QWidget* control : form->findChildren<QWidget*>()) {
        const int tag = tagOf(control);
        if (qobject_cast<QAbstractButton*>(control) || (qobject_cast<Panel*>(control) && tag >= 100 && tag <= 211))
            control->setFocusPolicy(Qt::TabFocus);
    }
    // A deal puts the focus on its first shelf, whatever pressed the level.
    for (int level = 0; level < 4; ++level)
        connect(form->control<QAbstractButton>(QStringLiteral("sb_Level_%1").arg(level)), &QAbstractButton::clicked,
                this, &KeyboardNavigator::focusFirstShelfOfDeal);
    connect(form->control<QAbstractButton>(QStringLiteral("tb_Warm_Play")), &QAbstractButton::clicked, this,
            [this] { settle(nullptr, {}); });
    // Only a focus that lands in the window moves the ring; while the window
    // goes, its controls give the focus away to nothing.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && this->form->isAncestorOf(now))
            updateRing();
    });
    qApp->installEventFilter(this);
}

QString KeyboardNavigator::keyList()
{
    return QStringLiteral("Klawisze: 1, 2, 3, 4 – poziom gry; U – tryb usuwania półki, która nie pasuje do opisu; "
                          "W – tryb wskazywania półki, która pasuje do opisu; Z – tryb zaznaczania półek, "
                          "które nie pasują do opisu; Delete lub Backspace – usuwanie zaznaczonych półek; "
                          "strzałki, Home, End – przejście między półkami; Enter lub spacja – wybór półki; "
                          "R – rozgrzewka lub gra na czas; D – dźwięk; K – widok o wysokim kontraście; "
                          "F1 – zasady gry, Esc – ukrycie zasad; Tab, Shift+Tab – przejście między przyciskami.");
}

bool KeyboardNavigator::eventFilter(QObject* watched, QEvent* event)
{
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != form)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress: {
        ringWanted = true;
        const bool ours = keyPressed(*static_cast<QKeyEvent*>(event));
        updateRing();
        return ours;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        ringWanted = false;
        updateRing();
        return false;
    case QEvent::Hide:
        if (watched == form->focusWidget())
            handOnFocusOfVanishingShelf(static_cast<QWidget*>(watched));
        return false;
    default:
        return false;
    }
}

void KeyboardNavigator::handOnFocusOfVanishingShelf(QWidget* shelf)
{
    // The focused shelf is leaving the table (removed, deleted): its nearest
    // neighbour takes the focus now, before Qt walks it on in tab order and
    // a screen reader says a shelf the pupil never chose. Shelves marked for
    // the same deletion are passed over while others stand.
    const QList<QWidget*> shelves = shelvesOnScreen();
    if (!qobject_cast<Panel*>(shelf) || tagOf(shelf) < 100 || shelves.isEmpty())
        return;
    const QPoint centre = centreIn(form, shelf);
    const auto marked = [this](const QWidget* candidate) {
        return form->model().marked(tagOf(candidate) - form->playState().T_Level);
    };
    focusOn(*std::min_element(shelves.begin(), shelves.end(), [&](const QWidget* a, const QWidget* b) {
        return std::make_tuple(marked(a), (centreIn(form, a) - centre).manhattanLength())
               < std::make_tuple(marked(b), (centreIn(form, b) - centre).manhattanLength());
    }));
}

bool KeyboardNavigator::keyPressed(const QKeyEvent& event)
{
    // Shortcuts with Ctrl or Alt are not ours; Shift and Caps Lock do not
    // change which letter it is.
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const int key = event.key();
    static const QList<int> ourKeys{
        Qt::Key_1,    Qt::Key_2,     Qt::Key_3,  Qt::Key_4,      Qt::Key_U,     Qt::Key_W,      Qt::Key_Z,
        Qt::Key_R,    Qt::Key_D,     Qt::Key_F1, Qt::Key_Escape, Qt::Key_Delete, Qt::Key_Backspace,
        Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down,   Qt::Key_Home,  Qt::Key_End,    Qt::Key_Return,
        Qt::Key_Enter, Qt::Key_Space, Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_K};
    if (!ourKeys.contains(key))
        return false;
    // A key held down acts once.
    if (event.isAutoRepeat())
        return true;

    // The view's colours change at any moment, over the rules too.
    if (key == Qt::Key_K) {
        guardedAction([&] { HighContrastChoice::toggle(*form); });
        return true;
    }

    QWidget* helpButton = visibleOf("tb_Help_0", "tb_Help_1");
    // While the rules cover the window, a click can only hide them.
    if (help->isVisible()) {
        if (key == Qt::Key_F1 || key == Qt::Key_Escape)
            clickIfUsable(helpButton);
        return true;
    }

    switch (key) {
    case Qt::Key_1:
    case Qt::Key_2:
    case Qt::Key_3:
    case Qt::Key_4:
        letGoOfVanishingShelf(form->control(QStringLiteral("sb_Level_%1").arg(key - Qt::Key_1)), nullptr);
        clickIfUsable(form->control(QStringLiteral("sb_Level_%1").arg(key - Qt::Key_1)));
        break;
    case Qt::Key_U:
        clickIfUsable(form->control(QStringLiteral("sb_Mode_0")));
        break;
    case Qt::Key_W:
        clickIfUsable(form->control(QStringLiteral("sb_Mode_1")));
        break;
    case Qt::Key_Z:
        clickIfUsable(form->control(QStringLiteral("sb_Mode_2")));
        break;
    case Qt::Key_Delete:
    case Qt::Key_Backspace: {
        QWidget* before = form->focusWidget();
        const QPoint centre = before ? centreIn(form, before) : QPoint();
        clickIfUsable(form->control(QStringLiteral("sb_Delete")));
        settle(before, centre);
        break;
    }
    case Qt::Key_R:
        letGoOfVanishingShelf(form->control(QStringLiteral("tb_Warm_Play")), form->control(QStringLiteral("tb_Warm_Play")));
        clickIfUsable(form->control(QStringLiteral("tb_Warm_Play")));
        break;
    case Qt::Key_D:
        clickIfUsable(visibleOf("tb_Sound_1", "tb_Sound_2"));
        break;
    case Qt::Key_F1:
        clickIfUsable(helpButton);
        break;
    case Qt::Key_Escape:
        break;  // the rules are not shown
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        pressFocused();
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        moveAlongChain(key == Qt::Key_Tab);
        break;
    default:
        moveAmongShelves(key);
        break;
    }
    return true;
}

void KeyboardNavigator::clickIfUsable(QWidget* control)
{
    // As with the mouse: a hidden or disabled control takes no click.
    if (auto* button = qobject_cast<QAbstractButton*>(control); usable(button))
        button->click();
}

void KeyboardNavigator::letGoOfVanishingShelf(QWidget* control, QWidget* focusThen)
{
    // Hiding a focused shelf makes Qt walk the focus on over every control
    // after it, and a screen reader says each. The shelves are about to
    // leave the table: the focus goes straight to `focusThen` (or nowhere,
    // until the deal puts it on its first shelf).
    QWidget* focused = form->focusWidget();
    if (!usable(control) || !shelvesOnScreen().contains(focused))
        return;
    if (usable(focusThen))
        focusOn(focusThen);
    else
        focused->clearFocus();
}

void KeyboardNavigator::pressFocused()
{
    QWidget* focused = form->focusWidget();
    if (!usable(focused))
        return;
    if (shelvesOnScreen().contains(focused)) {
        const QPoint centre = centreIn(form, focused);
        // The same move a left click on the shelf makes.
        const int shelf = tagOf(focused) - form->playState().T_Level;
        guardedAction([&] { form->chooseShelf(shelf); });
        settle(focused, centre);
    } else if (focusChain().contains(focused)) {
        clickIfUsable(focused);
    }
}

void KeyboardNavigator::moveAmongShelves(int key)
{
    const QList<QWidget*> shelves = shelvesOnScreen();
    if (shelves.isEmpty())
        return;
    QWidget* current = form->focusWidget();
    if (key == Qt::Key_Home || !shelves.contains(current)) {
        focusOn(key == Qt::Key_End ? shelves.last() : shelves.first());
        return;
    }
    if (key == Qt::Key_End) {
        focusOn(shelves.last());
        return;
    }
    // Left and Right stay within the row. Up and Down keep to the column
    // where a shelf stands in it that way, else take the nearest row and
    // the nearest shelf in it.
    const QPoint from = centreIn(form, current);
    const bool across = key == Qt::Key_Left || key == Qt::Key_Right;
    QWidget* best = nullptr;
    std::tuple<bool, int, int> bestDistance;
    for (QWidget* shelf : shelves) {
        const QPoint d = centreIn(form, shelf) - from;
        const bool thatWay = (key == Qt::Key_Left && d.x() < 0) || (key == Qt::Key_Right && d.x() > 0)
                             || (key == Qt::Key_Up && d.y() < 0) || (key == Qt::Key_Down && d.y() > 0);
        if (!thatWay || (across && d.y() != 0))
            continue;
        const std::tuple<bool, int, int> distance{d.x() != 0 && !across, std::abs(d.y()), std::abs(d.x())};
        if (!best || distance < bestDistance) {
            best = shelf;
            bestDistance = distance;
        }
    }
    if (best)
        focusOn(best);
}

void KeyboardNavigator::moveAlongChain(bool forward)
{
    const QList<QWidget*> chain = focusChain();
    if (chain.isEmpty())
        return;
    const qsizetype at = chain.indexOf(form->focusWidget());
    if (at < 0) {
        focusOn(forward ? chain.first() : chain.last());
        return;
    }
    const qsizetype n = chain.size();
    focusOn(chain[(at + (forward ? 1 : n - 1)) % n]);
}

Panel* KeyboardNavigator::currentFrame() const
{
    return form->control<Panel>(form->playState().N_Level == 0 ? QStringLiteral("p_Fr_06") : QStringLiteral("p_Fr_12"));
}

QList<QWidget*> KeyboardNavigator::shelvesOnScreen() const
{
    QList<QWidget*> shelves;
    Panel* frame = currentFrame();
    for (Panel* panel : frame->findChildren<Panel*>()) {
        const int shelf = tagOf(panel) - form->playState().T_Level;
        if (panel->parentWidget() && panel->parentWidget()->parentWidget() == frame && shelf >= 0 && shelf < 12
            && usable(panel))
            shelves << panel;
    }
    std::sort(shelves.begin(), shelves.end(), [this](const QWidget* a, const QWidget* b) {
        return readsBefore(centreIn(form, a), centreIn(form, b));
    });
    return shelves;
}

QWidget* KeyboardNavigator::visibleOf(const char* first, const char* second) const
{
    QWidget* one = form->control(QLatin1String(first));
    return one && one->isVisible() ? one : form->control(QLatin1String(second));
}

QList<QWidget*> KeyboardNavigator::focusChain() const
{
    QList<QWidget*> chain;
    for (const char* name : {"tb_Warm_Play", "sb_Mode_0", "sb_Mode_1", "sb_Mode_2", "sb_Delete", "sb_Level_0",
                             "sb_Level_1", "sb_Level_2", "sb_Level_3"})
        chain << form->control(QLatin1String(name));
    chain << shelvesOnScreen() << visibleOf("tb_Sound_1", "tb_Sound_2") << visibleOf("tb_Help_0", "tb_Help_1");
    chain.removeIf([](const QWidget* control) { return !usable(control); });
    return chain;
}

void KeyboardNavigator::focusOn(QWidget* control)
{
    if (control)
        control->setFocus(Qt::TabFocusReason);
    updateRing();
}

void KeyboardNavigator::settle(QWidget* acted, QPoint actedCentre)
{
    const QList<QWidget*> shelves = shelvesOnScreen();
    // A shelf that has just left the table hands the focus to its nearest neighbour.
    if (acted && !acted->isVisible() && !shelves.isEmpty()) {
        focusOn(*std::min_element(shelves.begin(), shelves.end(), [&](const QWidget* a, const QWidget* b) {
            return (centreIn(form, a) - actedCentre).manhattanLength()
                   < (centreIn(form, b) - actedCentre).manhattanLength();
        }));
        return;
    }
    if (focusChain().contains(form->focusWidget())) {
        updateRing();
        return;
    }
    // A game just decided keeps its shelves on the table, out of play: Qt
    // has let go of the focus, and it stays unset, so that the pupil hears
    // the outcome and nothing else; the next key (a level, Tab) takes it on.
    if (currentFrame()->isVisible() && !form->model().takesClicks()) {
        updateRing();
        return;
    }
    // Nothing usable keeps the focus (the shelves are gone): the level
    // button that starts the next game takes it.
    const int level = form->playState().N_Level;
    QWidget* levelButton = level >= 0 ? form->control(QStringLiteral("sb_Level_%1").arg(level)) : nullptr;
    const QList<QWidget*> chain = focusChain();
    focusOn(usable(levelButton) ? levelButton : chain.value(0));
}

void KeyboardNavigator::focusFirstShelfOfDeal()
{
    const QList<QWidget*> shelves = shelvesOnScreen();
    if (form->playState().Correct_S >= 0 && !shelves.isEmpty())
        focusOn(shelves.first());
    else
        settle(nullptr, {});
}

void KeyboardNavigator::updateRing()
{
    QWidget* focused = form->focusWidget();
    ring->follow(ringWanted ? focused : nullptr, help);
}
