// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/splash.h"

#include "app/artwork.h"
#include "app/controls.h"
#include "app/window_placement.h"

#include <QMouseEvent>
#include <QWheelEvent>

T_Ue* _Ue = nullptr;

T_Ue::T_Ue(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("_Ue"));
    // Showing the splash must not take activation from the main window,
    // whose activation handler runs the start-up verdict; closing it must
    // not end the program.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_QuitOnClose, false);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(800, 600);
    placeAtScreenCentre(this);

    p_Ue = new Panel(this, QStringLiteral("p_Ue"));
    p_Ue->resize(800, 150);
    p_Ue->setBevel(Panel::Bevel::Raised, 1);
    setDock(p_Ue, Dock::Top);

    i_UE = new ImageControl(p_Ue, QStringLiteral("i_UE"));
    i_UE->setPicture(Artwork::picture(QStringLiteral("banner")), true);
    setDock(i_UE, Dock::Client);

    FormCreate();
    setWindowOpacity(m_opacity / 255.0);

    t_UE.setObjectName(QStringLiteral("t_UE"));
    t_UE.setInterval(20);
    connect(&t_UE, &QTimer::timeout, this, &T_Ue::t_UETimer);
    t_UE.start();
}

void T_Ue::FormCreate()
{
    const QColor colour(0xEF, 0xEB, 0xD6);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, colour);
    setPalette(palette);
    setAutoFillBackground(true);
    p_Ue->setColor(colour);
}

void T_Ue::t_UETimer()
{
    if (!isVisible())
        return;
    // Opacity 255 runs 253, 251, ..., 3, 1: the step below 3 closes the
    // splash at 1. The value stops at 0 rather than wrapping round to 255,
    // should the splash ever be shown again.
    m_opacity = m_opacity >= 2 ? std::uint8_t(m_opacity - 2) : std::uint8_t(0);
    setWindowOpacity(m_opacity / 255.0);
    if (m_opacity < 3)
        close();
}

void T_Ue::mousePressEvent(QMouseEvent* event) { event->accept(); }
void T_Ue::mouseReleaseEvent(QMouseEvent* event) { event->accept(); }
void T_Ue::mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }
void T_Ue::wheelEvent(QWheelEvent* event) { event->accept(); }
