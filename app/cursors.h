// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Custom mouse cursors registered under numbers at start-up (150, 151, 152),
// as the shelf panels take them by the interaction mode.

#include <QCursor>

void registerCursor(int id, const QCursor& cursor);
// The cursor registered under `id`, or the arrow when none is.
QCursor registeredCursor(int id);
