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

// 8 points at 96 pixels per inch.
constexpr int normalSize = 11;
constexpr int normalDotSize = 6;

QFont normalFont(int pixelSize = normalSize, bool bold = false)
{
    QFont font(QStringLiteral("Verdana"));
    font.setPixelSize(pixelSize);
    if (bold)
        font.setBold(true);
    return font;
}

QFont dotFont(int pixelSize = normalDotSize)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
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
    m_document->setDefaultFont(textFont());
    m_document->setTextWidth(width());
    m_caret = QTextCursor(m_document);
    m_pictures.clear();
}

QTextCharFormat DescriptionView::formatOf(int textStyle) const
{
    QTextCharFormat format;
    format.setForeground(textColour());
    const int size = m_highContrast ? m_boldSize : normalSize;
    if (textStyle == Kropka) {
        format.setFont(dotFont(qMax(normalDotSize, size * normalDotSize / normalSize)),
                       QTextCharFormat::FontPropertiesAll);
        // Lowered by 12 % of the text height.
        format.setBaselineOffset(-12);
        format.setProperty(dotProperty, true);
    } else {
        format.setFont(textFont(), QTextCharFormat::FontPropertiesAll);
    }
    return format;
}

QFont DescriptionView::textFont() const
{
    return m_highContrast ? normalFont(m_boldSize, true) : normalFont();
}

QColor DescriptionView::textColour() const
{
    // Black keeps 9:1 on the strip's green; white has barely 2:1.
    return m_highContrast ? QColor(Qt::black) : QColor(Qt::white);
}

void DescriptionView::setHighContrast(bool on, int pixelSize)
{
    m_highContrast = on;
    m_boldSize = qMax(normalSize, pixelSize);
    restyle();
    // The same words laid out anew; nothing for a screen reader to hear.
    m_document->setTextWidth(width());
    update();
}

void DescriptionView::restyle()
{
    // Every run of text takes the format of its style anew; the pictograms
    // stay as they are.
    QList<std::pair<QTextCursor, int>> runs;
    for (QTextBlock block = m_document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().isImageFormat())
                continue;
            QTextCursor run(m_document);
            run.setPosition(fragment.position());
            run.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            runs.append({run, fragment.charFormat().boolProperty(dotProperty) ? Kropka : NormalText});
        }
    }
    for (auto& [run, style] : runs)
        run.setCharFormat(formatOf(style));
    m_document->setDefaultFont(textFont());
}

int DescriptionView::largestBoldSizeFitting(int count,
                                            const std::function<void(DescriptionView& view, int i)>& write) const
{
    DescriptionView trial(nullptr, QStringLiteral("trial"));
    trial.resize(size());
    int fitting = normalSize;
    for (int size = normalSize; size <= height(); ++size) {
        trial.setHighContrast(true, size);
        for (int i = 0; i < count; ++i) {
            trial.Clear();
            write(trial, i);
            trial.Format();
            if (trial.contentHeight() > height())
                return fitting;
        }
        fitting = size;
    }
    return fitting;
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
    context.palette.setColor(QPalette::Text, textColour());
    context.clip = QRectF(rect());
    m_document->documentLayout()->draw(&painter, context);
}

void DescriptionView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_document->setTextWidth(width());
}
