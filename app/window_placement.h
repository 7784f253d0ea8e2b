// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Both windows of the game stand at the centre of the primary screen by
// their outer size, so the splash covers the main window exactly.

class QWidget;

// Moves `window` so that its outer frame is centred on the primary screen.
// A window manager frames a window only once it is shown; until then the
// frame is unknown and the window is centred by its own size. The window
// is therefore placed again, once, as soon as its frame is known.
void placeAtScreenCentre(QWidget* window);
