// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every modal box of the game goes through here: start-up refusals and the
// "Koniec rundy" notice (tell), the Yes/No questions (ask) and the top-level
// error box (showError). Tests install a responder that records each box and
// answers it instead of a person.

#include <QString>
#include <functional>

namespace Dialogs {

struct Box {
    enum Kind { Tell, Ask, Error };
    Kind kind;
    QString text;
    QString caption;
};

// Returns the answer to an Ask box: true for Yes (anything but No), false for No.
using Responder = std::function<bool(const Box&)>;

// OK only, no icon, no owner window.
void tell(const QString& text, const QString& caption);
// Yes and No, no icon, no owner window; only No returns false.
bool ask(const QString& text, const QString& caption);
// Error icon, caption "Trefolia", OK only.
void showError(const QString& text);

// With a responder installed no real box is shown. Pass {} to remove it.
void setResponder(Responder responder);

}  // namespace Dialogs
