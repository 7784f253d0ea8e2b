// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The high-contrast view for pupils with low vision, turned on with
// --kontrast for one run or with the K key, whose choice is kept for the
// user (QSettings, organisation and application "Trefolia") and read at
// the next start. What the view changes is in high_contrast.cpp; the marks
// it adds beside the states are drawn by ContrastMarks.

#include <QWidget>

class T_Form;

namespace HighContrastChoice {
// The user's last choice with the K key; off when none was ever made or
// the settings cannot be read.
bool remembered();
void remember(bool on);
// The K key: the view switched over, and the new choice kept.
void toggle(T_Form& form);
}  // namespace HighContrastChoice

// A see-through layer over the whole window, shown only in the
// high-contrast view, that draws what tells the states apart without
// their colours: a badge beside each shelf that is mistaken, won, lost or
// revealed, and the words of the way of playing (warm-up or timed) at the
// left end of the message bar.
class ContrastMarks : public QWidget {
    Q_OBJECT
public:
    explicit ContrastMarks(T_Form* form);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    T_Form* form;
};
