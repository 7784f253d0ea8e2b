// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cursors.h"

#include <QHash>

namespace {
QHash<int, QCursor>& registry()
{
    static QHash<int, QCursor> cursors;
    return cursors;
}
}  // namespace

void registerCursor(int id, const QCursor& cursor)
{
    registry().insert(id, cursor);
}

QCursor registeredCursor(int id)
{
    return registry().value(id, QCursor(Qt::ArrowCursor));
}
