// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/announcements.h"

#include "app/keyboard.h"
#include "app/t_form.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QEvent>
#include <QProgressBar>

namespace announcements_detail {

// The announcer as assistive technology sees it: a notification with the
// latest announcement as its name, inside the window, taking no room.
class AnnouncerAccessible : public QAccessibleInterface {
public:
    AnnouncerAccessible(QObject* announcer, QWidget* window) : announcer(announcer), window(window) {}

    bool isValid() const override { return !announcer.isNull() && !window.isNull(); }
    QObject* object() const override { return announcer; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(window); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override { return t == QAccessible::Name ? said : QString(); }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override { return {}; }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.readOnly = true;
        return s;
    }

    QString said;

private:
    QPointer<QObject> announcer;
    QPointer<QWidget> window;
};

}  // namespace announcements_detail

namespace {

bool isShelf(const QWidget* widget)
{
    const int tag = tagOf(widget);
    return qobject_cast<const Panel*>(widget) && tag >= 100 && tag <= 211;
}

bool marked(QWidget* shelf)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(shelf);
    return iface && iface->state().checked;
}

// Disabling a shelf frame at the end of a game makes Qt report the change
// for every control inside both frames, a hundred reports at once; Orca
// takes that for a flood and drops what follows, the outcome's message
// among them. Nobody needs to hear that a hidden control or a shelf's item
// picture is out of play: those reports are not passed on.
QAccessible::UpdateHandler passOn = nullptr;

bool unheard(QAccessibleEvent* event)
{
    if (event->type() != QAccessible::StateChanged)
        return false;
    QAccessible::State onlyDisabled;
    onlyDisabled.disabled = true;
    if (static_cast<QAccessibleStateChangeEvent*>(event)->changedStates() != onlyDisabled)
        return false;
    const auto* widget = qobject_cast<const QWidget*>(event->object());
    return widget && (!widget->isVisible() || isShelf(widget->parentWidget()));
}

void quieterUpdates(QAccessibleEvent* event)
{
    if (unheard(event))
        return;
    if (passOn) {
        passOn(event);
        return;
    }
    // No handler before ours: the platform's bridge takes the report.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(quieterUpdates);
}

}  // namespace

Announcer::Announcer(T_Form* form) : QObject(form), form(form), help(form->control(QStringLiteral("_Help")))
{
    setObjectName(QStringLiteral("announcer"));
    iface = new announcements_detail::AnnouncerAccessible(this, form);
    id = QAccessible::registerAccessibleInterface(iface);

    connect(form->control<Panel>(QStringLiteral("p_Komunikat")), &Panel::captionSet, this,
            [this](const QString& message) {
                if (!message.isEmpty())
                    announce(message);
            });
    // Connected after the keyboard's own: the deal has put the focus on its
    // first shelf, and the description follows that shelf's name.
    for (int level = 0; level < 4; ++level)
        connect(form->control<QAbstractButton>(QStringLiteral("sb_Level_%1").arg(level)), &QAbstractButton::clicked,
                this, &Announcer::announceDescription);
    // The round clock, unasked, only as the end nears.
    auto* clock = form->control<QProgressBar>(QStringLiteral("pb_Note"));
    connect(clock, &QProgressBar::valueChanged, this, [this, clock] {
        // Ticks of 100 ms; a part of a second counts as a whole one.
        const int secondsLeft = (qMax(0, clock->maximum() - clock->value()) + 9) / 10;
        for (const int mark : {10, 30, 60})
            if (clockSeconds > mark && secondsLeft <= mark && secondsLeft > 0 && clock->isVisible()) {
                announce(QStringLiteral("Zostało %1 s").arg(secondsLeft));
                break;
            }
        clockSeconds = secondsLeft;
    });
    qApp->installEventFilter(this);
}

Announcer::~Announcer()
{
    if (QAccessible::accessibleInterface(id))
        QAccessible::deleteAccessibleInterface(id);
}

void Announcer::announce(const QString& text)
{
    iface->said = text;
    QAccessibleEvent shown(iface, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
    emit announced(text);
}

bool Announcer::eventFilter(QObject* watched, QEvent* event)
{
    // The window's own show event follows those of its controls.
    if (watched == form && event->type() == QEvent::Show)
        windowShown = true;
    if (watched == help && event->type() == QEvent::Show) {
        // At start the rules cover the window unasked: only how to leave
        // them and have them read. Shown again (F1, a click), they are read whole.
        announce(windowShown ? rulesText()
                             : QStringLiteral("Zasady gry. Esc – ukrycie zasad, potem F1 – zasady przeczytane w całości."));
    }
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != form)
        return false;
    // A mark made or taken away by a key or a click on the focused shelf
    // is told as the shelf's new state once the key or button is released.
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
        pressedShelf = isShelf(form->focusWidget()) ? form->focusWidget() : nullptr;
        wasMarked = pressedShelf && marked(pressedShelf);
        break;
    case QEvent::KeyRelease:
    case QEvent::MouseButtonRelease:
        if (pressedShelf && pressedShelf == form->focusWidget() && pressedShelf->isVisible()
            && marked(pressedShelf) != wasMarked) {
            wasMarked = !wasMarked;
            QAccessible::State changed;
            changed.checked = true;
            QAccessibleStateChangeEvent stateChange(pressedShelf, changed);
            QAccessible::updateAccessibility(&stateChange);
            announce(wasMarked ? QStringLiteral("zaznaczona") : QStringLiteral("niezaznaczona"));
        }
        pressedShelf = nullptr;
        break;
    default:
        break;
    }
    return false;
}

void Announcer::announceDescription()
{
    if (form->playState().Correct_S < 0)
        return;
    QAccessibleInterface* view = QAccessible::queryAccessibleInterface(form->control(QStringLiteral("rve_Text")));
    const QString text = view ? view->text(QAccessible::Name) : QString();
    if (!text.isEmpty())
        announce(text);
}

void installAnnouncements(T_Form* form)
{
    static const bool filtering = [] {
        passOn = QAccessible::installUpdateHandler(quieterUpdates);
        return true;
    }();
    Q_UNUSED(filtering);
    new Announcer(form);
}

QString rulesText()
{
    // The rules picture's words, with its two fixed numbers, then the keys.
    return QStringLiteral("Zasady gry. Znajdź półkę, na której owoce są ułożone zgodnie z opisem. "
                          "Wybierz poziom gry, jeden z przycisków od 1 do 4 – tak zaczyna się runda. "
                          "W rozgrywce jedna runda trwa 120 sekund, a każdy błąd lub porzucenie gry "
                          "kosztuje 30 sekund. Przeczytaj opis, jak owoce leżą obok siebie, i znajdź półkę, "
                          "która do niego pasuje. Wybierz strategię, czyli jeden z trzech przycisków trybu gry: "
                          "usuń półkę, która nie pasuje do opisu; wskaż półkę, która pasuje do opisu; "
                          "zaznacz półki, które nie pasują do opisu, a potem usuń wszystkie zaznaczone półki. ")
           + KeyboardNavigator::keyList() + QStringLiteral(" Powodzenia i dobrej zabawy!");
}
