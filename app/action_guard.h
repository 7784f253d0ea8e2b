// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs one user action (a click handler, a timer tick). An error raised
// below it ends the action and is shown in the top-level error box; what
// the action did before the error stays done and the game keeps running.

#include "app/dialogs.h"
#include "content/game_error.h"

#include <QString>
#include <exception>
#include <new>

// The error box's text: the error's text with a full stop appended, unless
// its last character is already a full stop or another character of code 46
// or below (blank, comma, digit-free punctuation such as '!' or ')').
QString errorBoxText(const QString& message);

template <class Action>
void guardedAction(Action&& action)
{
    try {
        action();
    } catch (const GameError& error) {
        Dialogs::showError(errorBoxText(error.message()));
    } catch (const std::bad_alloc&) {
        Dialogs::showError(errorBoxText(QStringLiteral("Za mało pamięci")));
    } catch (const std::exception& error) {
        Dialogs::showError(errorBoxText(QString::fromLocal8Bit(error.what())));
    }
}
