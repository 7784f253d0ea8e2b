// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's building blocks: panels with bevels and captions, image
// controls that own a bitmap, and flat buttons showing four-frame picture
// strips. Every control carries an integer tag and may be docked to its
// parent (top, bottom, left, right or client), as the window layout needs.

#include <QAbstractButton>
#include <QColor>
#include <QFrame>
#include <QImage>
#include <QPixmap>
#include <QStringList>
#include <QWidget>

// The keys and mouse buttons held during a mouse event.
struct ShiftState {
    Qt::KeyboardModifiers keys;
    Qt::MouseButtons buttons;
    bool operator==(const ShiftState&) const = default;
};
Q_DECLARE_METATYPE(ShiftState)

// Integer tag of any control (0 when never set).
int tagOf(const QObject* control);
void setTag(QObject* control, int tag);

enum class Dock { None, Top, Bottom, Left, Right, Client };
Dock dockOf(const QWidget* control);
// Docks the control within its parent; the parent re-docks its children
// whenever one of them is shown, hidden or the parent is resized.
void setDock(QWidget* control, Dock dock);
// Lays out the docked children of `parent`: top-docked stack down from the
// top edge, bottom-docked up from the bottom, left and right inwards within
// the band that remains, client-docked take what is left. Hidden children
// take no room.
void dockChildren(QWidget* parent);

class Panel : public QFrame {
    Q_OBJECT
public:
    enum class Bevel { None, Raised, Lowered };

    explicit Panel(QWidget* parent, const QString& objectName);

    void setColor(const QColor& color);
    QColor color() const { return m_color; }
    // When set, the panel paints nothing of its own and shows what lies behind it.
    void setParentBackground(bool on);
    bool parentBackground() const { return m_parentBackground; }
    // When set, the panel takes its parent's colour instead of its own.
    void setParentColor(bool on);
    bool parentColor() const { return m_parentColor; }
    void setBevel(Bevel bevel, int width = 1);
    Bevel bevel() const { return m_bevel; }
    int bevelWidth() const { return m_bevel == Bevel::None ? 0 : m_bevelWidth; }
    void setCaption(const QString& caption);
    QString caption() const { return m_caption; }
    void setCaptionAlignment(Qt::Alignment alignment);
    Qt::Alignment captionAlignment() const { return m_captionAlignment; }
    // The colour the panel is painted with, after the parent rules above.
    QColor effectiveColor() const;

signals:
    void clicked(QWidget* sender);
    void mouseDown(QWidget* sender, Qt::MouseButton button, ShiftState shift, int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QColor m_color{0xF1, 0xF1, 0xF1};
    bool m_parentBackground = false;
    bool m_parentColor = false;
    Bevel m_bevel = Bevel::None;
    int m_bevelWidth = 1;
    QString m_caption;
    Qt::Alignment m_captionAlignment = Qt::AlignCenter;
    bool m_pressed = false;
};

// An image control: shows its picture unscaled from its top-left corner.
class ImageControl : public QWidget {
    Q_OBJECT
public:
    explicit ImageControl(QWidget* parent, const QString& objectName);

    // Shows `picture`; with a transparent key the colour of its bottom-left
    // pixel is not painted.
    void setPicture(const QImage& picture, bool transparentKey = false);
    // The control's own bitmap, of the control's size; made blank (white)
    // the first time it is asked for, kept from then on. Call refresh()
    // after drawing on it.
    QImage& bitmap();
    const QImage& picture() const { return m_picture; }
    void refresh();

signals:
    void clicked(QWidget* sender);
    void mouseDown(QWidget* sender, Qt::MouseButton button, ShiftState shift, int x, int y);
    void mouseUp(QWidget* sender, Qt::MouseButton button, ShiftState shift, int x, int y);
    void mouseMoved(QWidget* sender, ShiftState shift, int x, int y);
    void mouseLeft(QWidget* sender);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QImage m_picture;
    QPixmap m_shown;
    bool m_transparentKey = false;
    bool m_pressed = false;
};

// A flat button: no frame until the pointer is over it, showing one frame of
// a four-frame strip (up, disabled, pressed, down). "Down" is the checked
// state of a checkable button. The strip's bottom-left pixel colour is drawn
// transparent.
class FlatButton : public QAbstractButton {
    Q_OBJECT
public:
    enum Frame { Up = 0, Disabled = 1, Pressed = 2, DownFrame = 3 };

    explicit FlatButton(QWidget* parent, const QString& objectName);

    void setStrip(const QImage& strip);
    const QImage& strip() const { return m_strip; }
    QSize frameSize() const;
    Frame currentFrame() const;
    bool isDownState() const { return isChecked(); }
    void setDownState(bool down) { setChecked(down); }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QImage m_strip;
    QPixmap m_frames[4];
    bool m_hovered = false;
};

// The off-screen store of the loaded item list's lines (never seen).
class LineStore : public QWidget {
    Q_OBJECT
public:
    LineStore(QWidget* parent, const QString& objectName) : QWidget(parent) { setObjectName(objectName); }
    const QStringList& lines() const { return m_lines; }
    void setLines(QStringList lines) { m_lines = std::move(lines); }

private:
    QStringList m_lines;
};
