// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's pictures, by name, at their real sizes, rendered from the
// SVG sources compiled into the program's resources (:/assets/).
//   pictures: "logo" 223x63, "graph" 794x180, "badge" 70x70, "footer" 796x17,
//             "rules" 796x568, "banner" 800x150
//   strips (four frames side by side: up, disabled, pressed, down):
//             "warm_play" 82x59, "mode_0".."mode_2" 54x54, "delete" 54x54,
//             "level_0".."level_3" 49x59, "help" 145x43, "sound" 43x43
//   cursors:  "c_Cancel", "c_Ok", "c_Select", 32x32 with alpha, hot spot (0, 0)
// Pictures and strips that are drawn with a transparent key carry the key
// colour in their bottom-left pixel ("badge", every strip frame, "banner").
// An unknown name gives a null image.
// A set whose items are not fruits names them by their plural word
// ("zwierzęta"): the logo's subtitle and the rules say it where they speak
// of the fruits. An empty word, or "owoce", gives the fruit set's pictures.

#include <QIcon>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

namespace Artwork {

QImage picture(const QString& name, const QString& pluralWord = QString());
// The rules picture of the high-contrast view: the same picture with its
// light green lines of text in dark green.
QImage contrastRules(const QString& pluralWord = QString());
QImage strip(const QString& name);
QImage cursorImage(const QString& name);
QIcon windowIcon();
// The window icon's picture at one size (the icon holds 16 ... 256).
QImage iconImage(int size);
QList<int> iconSizes();
// The hint of the project badges: lines separated by a carriage return alone.
QString badgeHint();

}  // namespace Artwork
