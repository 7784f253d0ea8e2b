// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs.h"

#include <QMessageBox>

namespace Dialogs {
namespace {

Responder& responder()
{
    static Responder instance;
    return instance;
}

}  // namespace

void setResponder(Responder r)
{
    responder() = std::move(r);
}

void tell(const QString& text, const QString& caption)
{
    if (responder()) {
        responder()(Box{Box::Tell, text, caption});
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok);
    box.exec();
}

bool ask(const QString& text, const QString& caption)
{
    if (responder())
        return responder()(Box{Box::Ask, text, caption});
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Yes | QMessageBox::No);
    return box.exec() != QMessageBox::No;
}

void showError(const QString& text)
{
    if (responder()) {
        responder()(Box{Box::Error, text, QStringLiteral("Trefolia")});
        return;
    }
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Trefolia"), text, QMessageBox::Ok);
    box.exec();
}

}  // namespace Dialogs
