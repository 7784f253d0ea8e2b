// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/controls.h"

#include <QAccessible>
#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QVariant>

#include <algorithm>

namespace {

const char* const kTagProperty = "tag";
const char* const kDockProperty = "dock";
const char* const kDockOrderProperty = "dockOrder";

ShiftState shiftOf(const QMouseEvent* event)
{
    return ShiftState{event->modifiers(), event->buttons()};
}

// Re-docks a parent whenever one of its docked children is shown or hidden.
class DockWatcher : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::ShowToParent:
        case QEvent::HideToParent:
            if (auto* w = qobject_cast<QWidget*>(watched); w && w->parentWidget())
                dockChildren(w->parentWidget());
            break;
        case QEvent::Resize:
            if (auto* w = qobject_cast<QWidget*>(watched))
                dockChildren(w);
            break;
        default:
            break;
        }
        return false;
    }
};

DockWatcher* dockWatcher()
{
    static DockWatcher* watcher = new DockWatcher;
    return watcher;
}

QPixmap keyedPixmap(const QImage& picture)
{
    if (picture.isNull())
        return {};
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = image.pixel(0, image.height() - 1) | 0xFF000000u;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] | 0xFF000000u) == key)
                line[x] = 0;
    }
    return QPixmap::fromImage(image);
}

}  // namespace

int tagOf(const QObject* control)
{
    return control ? control->property(kTagProperty).toInt() : 0;
}

void setTag(QObject* control, int tag)
{
    control->setProperty(kTagProperty, tag);
}

Dock dockOf(const QWidget* control)
{
    return static_cast<Dock>(control->property(kDockProperty).toInt());
}

void setDock(QWidget* control, Dock dock)
{
    // Docking order is the order in which controls were docked, not the
    // sibling order: raising or lowering a control must not move it.
    static qint64 nextOrder = 0;
    if (!control->property(kDockOrderProperty).isValid())
        control->setProperty(kDockOrderProperty, ++nextOrder);
    control->setProperty(kDockProperty, static_cast<int>(dock));
    control->installEventFilter(dockWatcher());
    if (QWidget* parent = control->parentWidget()) {
        parent->removeEventFilter(dockWatcher());
        parent->installEventFilter(dockWatcher());
        dockChildren(parent);
    }
}

void dockChildren(QWidget* parent)
{
    QRect rest = parent->contentsRect();
    if (auto* panel = qobject_cast<Panel*>(parent)) {
        const int b = panel->bevelWidth();
        rest = parent->rect().adjusted(b, b, -b, -b);
    }
    auto children = parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    std::stable_sort(children.begin(), children.end(), [](const QWidget* a, const QWidget* b) {
        return a->property(kDockOrderProperty).toLongLong() < b->property(kDockOrderProperty).toLongLong();
    });
    for (Dock pass : {Dock::Top, Dock::Bottom, Dock::Left, Dock::Right, Dock::Client}) {
        for (QWidget* child : children) {
            if (dockOf(child) != pass || child->isHidden())
                continue;
            switch (pass) {
            case Dock::Top:
                child->setGeometry(rest.left(), rest.top(), rest.width(), child->height());
                rest.setTop(rest.top() + child->height());
                break;
            case Dock::Bottom:
                child->setGeometry(rest.left(), rest.bottom() + 1 - child->height(), rest.width(), child->height());
                rest.setBottom(rest.bottom() - child->height());
                break;
            case Dock::Left:
                child->setGeometry(rest.left(), rest.top(), child->width(), rest.height());
                rest.setLeft(rest.left() + child->width());
                break;
            case Dock::Right:
                child->setGeometry(rest.right() + 1 - child->width(), rest.top(), child->width(), rest.height());
                rest.setRight(rest.right() - child->width());
                break;
            case Dock::Client:
                // Client-docked controls share what is left: several of them
                // lie on top of each other, as the shelf frames do.
                child->setGeometry(rest);
                break;
            case Dock::None:
                break;
            }
        }
    }
}

// ---------------------------------------------------------------- Panel

Panel::Panel(QWidget* parent, const QString& objectName) : QFrame(parent)
{
    setObjectName(objectName);
    setFrameShape(QFrame::NoFrame);
}

void Panel::setColor(const QColor& color)
{
    m_color = color;
    update();
}

void Panel::setParentBackground(bool on)
{
    m_parentBackground = on;
    update();
}

void Panel::setParentColor(bool on)
{
    m_parentColor = on;
    update();
}

void Panel::setBevel(Bevel bevel, int width)
{
    m_bevel = bevel;
    m_bevelWidth = width;
    dockChildren(this);
    update();
}

void Panel::setCaption(const QString& caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    // Screen readers read the caption (the message bar, the results): tell them.
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
    update();
}

void Panel::setCaptionAlignment(Qt::Alignment alignment)
{
    m_captionAlignment = alignment;
    update();
}

QColor Panel::effectiveColor() const
{
    if (m_parentColor) {
        if (auto* p = qobject_cast<const Panel*>(parentWidget()))
            return p->effectiveColor();
    }
    return m_color;
}

void Panel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!m_parentBackground)
        painter.fillRect(rect(), effectiveColor());
    if (m_bevel != Bevel::None) {
        const QColor light(0xFF, 0xFF, 0xFF);
        const QColor dark(0xA0, 0xA0, 0xA0);
        const QColor topLeft = m_bevel == Bevel::Raised ? light : dark;
        const QColor bottomRight = m_bevel == Bevel::Raised ? dark : light;
        for (int i = 0; i < m_bevelWidth; ++i) {
            const QRect r = rect().adjusted(i, i, -i - 1, -i - 1);
            painter.setPen(topLeft);
            painter.drawLine(r.topLeft(), r.topRight());
            painter.drawLine(r.topLeft(), r.bottomLeft());
            painter.setPen(bottomRight);
            painter.drawLine(r.bottomLeft(), r.bottomRight());
            painter.drawLine(r.topRight(), r.bottomRight());
        }
    }
    if (!m_caption.isEmpty()) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.setFont(font());
        const int b = bevelWidth();
        painter.drawText(rect().adjusted(b, b, -b, -b), int(m_captionAlignment), m_caption);
    }
}

void Panel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
    emit mouseDown(this, event->button(), shiftOf(event),
                   event->position().toPoint().x(), event->position().toPoint().y());
}

void Panel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool wasPressed = m_pressed;
    if (event->button() == Qt::LeftButton)
        m_pressed = false;
    if (wasPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked(this);
}

void Panel::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    dockChildren(this);
}

// --------------------------------------------------------- ImageControl

ImageControl::ImageControl(QWidget* parent, const QString& objectName) : QWidget(parent)
{
    setObjectName(objectName);
}

void ImageControl::setPicture(const QImage& picture, bool transparentKey)
{
    m_picture = picture;
    m_transparentKey = transparentKey;
    refresh();
}

QImage& ImageControl::bitmap()
{
    if (m_picture.isNull()) {
        // As many pixels as the screen gives the control, so that a scaled
        // window draws its tiles from the pictures themselves.
        const qreal ratio = devicePixelRatioF();
        m_picture = QImage(QSize(qRound(width() * ratio), qRound(height() * ratio)), QImage::Format_RGB32);
        m_picture.setDevicePixelRatio(ratio);
        m_picture.fill(Qt::white);
    }
    return m_picture;
}

void ImageControl::refresh()
{
    m_shown = m_transparentKey ? keyedPixmap(m_picture) : QPixmap::fromImage(m_picture);
    update();
}

void ImageControl::paintEvent(QPaintEvent*)
{
    if (m_shown.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_shown);
}

void ImageControl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
    const QPoint p = event->position().toPoint();
    emit mouseDown(this, event->button(), shiftOf(event), p.x(), p.y());
}

void ImageControl::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    const bool wasPressed = m_pressed;
    if (event->button() == Qt::LeftButton)
        m_pressed = false;
    emit mouseUp(this, event->button(), shiftOf(event), p.x(), p.y());
    if (wasPressed && event->button() == Qt::LeftButton && rect().contains(p))
        emit clicked(this);
}

void ImageControl::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    emit mouseMoved(this, shiftOf(event), p.x(), p.y());
}

void ImageControl::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    emit mouseLeft(this);
}

// ----------------------------------------------------------- FlatButton

FlatButton::FlatButton(QWidget* parent, const QString& objectName) : QAbstractButton(parent)
{
    setObjectName(objectName);
    setAttribute(Qt::WA_Hover);
}

void FlatButton::setStrip(const QImage& strip)
{
    m_strip = strip;
    const QPixmap keyed = keyedPixmap(strip);
    // The strip's own pixels, more than the layout's in a scaled window.
    const int frameWidth = strip.width() / 4;
    for (int i = 0; i < 4; ++i)
        m_frames[i] = keyed.isNull() ? QPixmap() : keyed.copy(i * frameWidth, 0, frameWidth, strip.height());
    update();
}

QSize FlatButton::frameSize() const
{
    if (m_strip.isNull())
        return QSize();
    const QSizeF layout = m_strip.deviceIndependentSize();
    return QSize(qRound(layout.width() / 4), qRound(layout.height()));
}

FlatButton::Frame FlatButton::currentFrame() const
{
    if (!isEnabled())
        return Disabled;
    if (isDown())
        return Pressed;
    if (isChecked())
        return DownFrame;
    return Up;
}

QSize FlatButton::sizeHint() const
{
    return frameSize().isValid() ? frameSize() + QSize(6, 6) : QSize(32, 32);
}

void FlatButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPixmap& frame = m_frames[currentFrame()];
    if (!frame.isNull()) {
        const QSize layout = frame.deviceIndependentSize().toSize();
        const QPoint at((width() - layout.width()) / 2, (height() - layout.height()) / 2);
        painter.drawPixmap(at + (isDown() ? QPoint(1, 1) : QPoint()), frame);
    }
    // A flat button shows its frame only while the pointer is over it.
    if (m_hovered && isEnabled()) {
        const bool sunk = isDown() || isChecked();
        painter.setPen(sunk ? QColor(0x80, 0x80, 0x80) : QColor(0xFF, 0xFF, 0xFF));
        painter.drawLine(0, 0, width() - 1, 0);
        painter.drawLine(0, 0, 0, height() - 1);
        painter.setPen(sunk ? QColor(0xFF, 0xFF, 0xFF) : QColor(0x80, 0x80, 0x80));
        painter.drawLine(0, height() - 1, width() - 1, height() - 1);
        painter.drawLine(width() - 1, 0, width() - 1, height() - 1);
    }
}

void FlatButton::enterEvent(QEnterEvent* event)
{
    QAbstractButton::enterEvent(event);
    m_hovered = true;
    update();
}

void FlatButton::leaveEvent(QEvent* event)
{
    QAbstractButton::leaveEvent(event);
    m_hovered = false;
    update();
}
