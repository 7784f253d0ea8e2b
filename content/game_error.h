// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one error type of the game. Whatever goes wrong below a user action
// (a damaged archive, an unreadable list, a picture code that is not a
// number) is thrown as a GameError carrying the Polish text the player sees;
// the action's guard (app/action_guard.h) shows it in the error box.

#include <QString>
#include <exception>
#include <string>

class GameError : public std::exception {
public:
    explicit GameError(QString message)
        : m_message(std::move(message)), m_utf8(m_message.toStdString()) {}

    const QString& message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_utf8.c_str(); }

private:
    QString m_message;
    std::string m_utf8;
};
