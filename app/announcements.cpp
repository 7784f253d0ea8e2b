// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/announcements.h"

#include "app/keyboard.h"
#include "app/t_form.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QEvent>

#include <utility>

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

    // What the game changed, as the window shows it: the message bar, a
    // new deal's description, a shelf marked or unmarked, the round clock.
    connect(form, &T_Form::changeShown, this, &Announcer::follow);
    // A deal's description is told once the deal has put the focus on its
    // first shelf (the keyboard's part of a level press comes first), so the
    // focus does not cut it short.
    for (int level = 0; level < 4; ++level)
        connect(form->control<QAbstractButton>(QStringLiteral("sb_Level_%1").arg(level)), &QAbstractButton::clicked,
                this, [this] {
                    if (std::exchange(descriptionDealt, false))
                        announceDescription();
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
        announce(windowShown ? rulesText(form->setWord())
                             : QStringLiteral("Zasady gry. Esc – ukrycie zasad, potem F1 – zasady przeczytane w całości."));
    }
    return false;
}

void Announcer::follow(const GameChange& change)
{
    const bool dealt = change.has(GameEffect::ShowDescription);
    for (const GameEffect& effect : change.effects) {
        switch (effect.kind) {
        case GameEffect::ShowMessage:
            if (!effect.text.isEmpty())
                announce(effect.text);
            break;
        case GameEffect::DrawShelf:
            // A shelf drawn anew outside a deal was marked or unmarked.
            if (!dealt)
                announceMark(effect.shelf);
            break;
        case GameEffect::ShowClock:
            announceClock(effect.value);
            break;
        default:
            break;
        }
    }
    descriptionDealt = descriptionDealt || dealt;
}

void Announcer::announceMark(int shelf)
{
    const GameModel& game = form->model();
    // The shelf's own state change, for a screen reader that is listening.
    if (QAccessible::isActive()) {
        if (QWidget* panel = form->shelfPanel(game.state().N_Level, shelf)) {
            QAccessible::State changed;
            changed.checked = true;
            QAccessibleStateChangeEvent stateChange(panel, changed);
            QAccessible::updateAccessibility(&stateChange);
        }
    }
    announce(game.marked(shelf) ? QStringLiteral("zaznaczona") : QStringLiteral("niezaznaczona"));
}

void Announcer::announceClock(int ticks)
{
    // Ticks of 100 ms; a part of a second counts as a whole one. Unasked,
    // only as the end nears.
    const int secondsLeft = (qMax(0, form->model().clockMaximum() - ticks) + 9) / 10;
    for (const int mark : {10, 30, 60})
        if (clockSeconds > mark && secondsLeft <= mark && secondsLeft > 0) {
            announce(QStringLiteral("Zostało %1 s").arg(secondsLeft));
            break;
        }
    clockSeconds = secondsLeft;
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

QString rulesText(const QString& pluralWord)
{
    // The rules picture's words, with its two fixed numbers, then the keys.
    const QString items = pluralWord.isEmpty() ? QStringLiteral("owoce") : pluralWord;
    return QStringLiteral("Zasady gry. Znajdź półkę, na której %1 są ułożone zgodnie z opisem. "
                          "Wybierz poziom gry, jeden z przycisków od 1 do 4 – tak zaczyna się runda. "
                          "W rozgrywce jedna runda trwa 120 sekund, a każdy błąd lub porzucenie gry "
                          "kosztuje 30 sekund. Przeczytaj opis, jak %1 leżą obok siebie, i znajdź półkę, "
                          "która do niego pasuje. Wybierz strategię, czyli jeden z trzech przycisków trybu gry: "
                          "usuń półkę, która nie pasuje do opisu; wskaż półkę, która pasuje do opisu; "
                          "zaznacz półki, które nie pasują do opisu, a potem usuń wszystkie zaznaczone półki. ")
               .arg(items)
           + KeyboardNavigator::keyList() + QStringLiteral(" Powodzenia i dobrej zabawy!");
}
