// SPDX-License-Identifier: GPL-3.0-or-later
#include "draw/description_view.h"

#include <QAbstractTextDocumentLayout>
#include <QAccessible>
#include <QPainter>
#include <QResizeEvent>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>
#include <QtMath>

namespace {

const QColor stripColour(0xA1, 0xB8, 0x22);

// The dot font ("Wingdings 2" shows its glyph 0x98 as a small dot) is not
// on our machines: style-1 text is shown with a small black circle in
// place of U+0098, marked so that plainText() can give the dot back.
constexpr char16_t shownDot = 0x25CF;
constexpr int dotProperty = QTextFormat::UserProperty + 1;

QFont normalFont()
{
    // 8 points at 96 pixels per inch.
    QFont font(QStringLiteral("Verdana"));
    font.setPixelSize(11);
    return font;
}

QFont dotFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(6);
    return font;
}

}  // namespace

DescriptionView::DescriptionView(QWidget* parent, const QString& objectName) : QWidget(parent)
{
    setObjectName(objectName);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, stripColour);
    setPalette(colours);
    newDocument();
}

DescriptionView::~DescriptionView() = default;

void DescriptionView::newDocument()
{
    // A fresh document frees the old one's pictures with it.
    delete m_document;
    m_document = new QTextDocument(this);
    m_document->setUndoRedoEnabled(false);
    m_document->setDocumentMargin(Margin);
    m_document->setDefaultFont(normalFont());
    m_document->setTextWidth(width());
    m_caret = QTextCursor(m_document);
    m_pictures.clear();
}

QTextCharFormat DescriptionView::formatOf(int textStyle) const
{
    QTextCharFormat format;
    format.setForeground(Qt::white);
    if (textStyle == Kropka) {
        format.setFont(dotFont(), QTextCharFormat::FontPropertiesAll);
        // Lowered by 12 % of the text height.
        format.setBaselineOffset(-12);
        format.setProperty(dotProperty, true);
    } else {
        format.setFont(normalFont(), QTextCharFormat::FontPropertiesAll);
    }
    return format;
}

QString DescriptionView::shownText(const QString& text, int textStyle) const
{
    if (textStyle != Kropka)
        return text;
    QString shown = text;
    shown.replace(QChar(DotCharacter), QChar(shownDot));
    return shown;
}

void DescriptionView::Clear()
{
    newDocument();
}

void DescriptionView::Add(const QString& text, int textStyle)
{
    QTextCursor end(m_document);
    end.movePosition(QTextCursor::End);
    end.insertText(shownText(text, textStyle), formatOf(textStyle));
}

void DescriptionView::CurTextStyleNo(int textStyle)
{
    m_style = textStyle;
}

void DescriptionView::InsertText(const QString& text, bool caretBefore)
{
    const int before = m_caret.position();
    m_caret.insertText(shownText(text, m_style), formatOf(m_style));
    if (caretBefore)
        m_caret.setPosition(before);
}

void DescriptionView::InsertPicture(const QString& name, const QImage& bitmap)
{
    Q_UNUSED(name)
    // Each picture gets its own resource name; the document holds the copy.
    const QString resource = QStringLiteral("trefolia-picture:%1").arg(m_pictures.size());
    m_pictures.append(bitmap.copy());
    m_document->addResource(QTextDocument::ImageResource, QUrl(resource), m_pictures.last());
    QTextImageFormat format;
    format.setName(resource);
    // In layout pixels: a picture drawn for a scaled window has more of its own.
    format.setWidth(bitmap.deviceIndependentSize().width());
    format.setHeight(bitmap.deviceIndependentSize().height());
    format.setVerticalAlignment(QTextCharFormat::AlignNormal);   // bottom edge on the baseline
    m_caret.insertImage(format);
}

void DescriptionView::Format()
{
    m_document->setTextWidth(width());
    m_document->documentLayout()->documentSize();
    update();
    // A screen reader reads the new description at once.
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

QString DescriptionView::plainText() const
{
    QString text;
    for (QTextBlock block = m_document->begin(); block.isValid(); block = block.next()) {
        if (block != m_document->begin())
            text += QLatin1Char('\n');
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QString part = fragment.text();
            if (fragment.charFormat().boolProperty(dotProperty))
                part.replace(QChar(shownDot), QChar(DotCharacter));
            text += part;
        }
    }
    return text;
}

int DescriptionView::contentHeight() const
{
    return qCeil(m_document->documentLayout()->documentSize().height());
}

void DescriptionView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // Disabled or not, the strip keeps its colours.
    painter.fillRect(rect(), palette().color(QPalette::Active, QPalette::Window));
    painter.setClipRect(rect());
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::white);
    context.clip = QRectF(rect());
    m_document->documentLayout()->draw(&painter, context);
}

void DescriptionView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_document->setTextWidth(width());
}
