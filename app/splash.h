// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// T_Ue, the opening splash: a borderless banner window above the main window
// that fades out by itself in about two and a half seconds and takes no
// input; clicks on it reach neither the splash nor the window below.

#include <QTimer>
#include <QWidget>

#include <cstdint>

class ImageControl;
class Panel;

class T_Ue : public QWidget {
    Q_OBJECT
public:
    explicit T_Ue(QWidget* parent = nullptr);

    // One fade step (the handler of t_UE's 20 ms tick).
    void t_UETimer();
    int opacity() const { return m_opacity; }

protected:
    // The splash has no handlers: it swallows every mouse and key event, so
    // nothing reaches the main window below it.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void FormCreate();

    Panel* p_Ue = nullptr;
    ImageControl* i_UE = nullptr;
    QTimer t_UE{this};
    std::uint8_t m_opacity = 255;
};

extern T_Ue* _Ue;
