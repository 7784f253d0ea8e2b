// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// rve_Text: the description strip above the shelves. White text on the
// strip's colour in one paragraph, with 32-pixel pictograms standing in the
// line like characters and small lowered dots as separators. The game
// writes it only through the six operations below; the user can neither
// type in it nor select anything.

#include <QColor>
#include <QImage>
#include <QList>
#include <QString>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QWidget>
#include <functional>

class QTextDocument;

class DescriptionView : public QWidget {
    Q_OBJECT
public:
    // Text style 0 "Normal text" and 1 "Kropka" (the dot separators).
    enum TextStyle { NormalText = 0, Kropka = 1 };
    // The dot character of style 1 as the composer writes it.
    static constexpr char16_t DotCharacter = 0x0098;
    static constexpr int Margin = 5;

    explicit DescriptionView(QWidget* parent, const QString& objectName);
    ~DescriptionView() override;

    // Removes the whole content and frees its pictures; the caret goes to the start.
    void Clear();
    // Appends `text` in `textStyle` at the end, continuing the paragraph.
    void Add(const QString& text, int textStyle);
    // The style of later InsertText calls.
    void CurTextStyleNo(int textStyle);
    int curTextStyleNo() const { return m_style; }
    // Inserts at the caret in the current style; the caret moves behind the
    // text unless `caretBefore`.
    void InsertText(const QString& text, bool caretBefore = false);
    // Inserts a copy of `bitmap` at the caret, its bottom edge on the
    // baseline; the view keeps it until the next Clear.
    void InsertPicture(const QString& name, const QImage& bitmap);
    // Lays the content out again at the current width and repaints.
    void Format();

    // The content as plain text, pictures as U+FFFC, dots as U+0098.
    QString plainText() const;
    int pictureCount() const { return int(m_pictures.size()); }
    const QList<QImage>& pictures() const { return m_pictures; }
    // Height of the laid-out content, margins included.
    int contentHeight() const;

    // The high-contrast view: bold black text of `pixelSize` (dots grown
    // with it), what is shown restyled at once; off, the view's own look.
    void setHighContrast(bool on, int pixelSize);
    bool highContrast() const { return m_highContrast; }
    // The largest bold text size, from the normal size up, at which each
    // of `count` contents that `write(view, i)` writes into an empty view
    // of this one's size fits its height.
    int largestBoldSizeFitting(int count, const std::function<void(DescriptionView& view, int i)>& write) const;

    QSize sizeHint() const override { return {792, 60}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void newDocument();
    QTextCharFormat formatOf(int textStyle) const;
    QString shownText(const QString& text, int textStyle) const;
    QColor textColour() const;
    QFont textFont() const;
    void restyle();

    QTextDocument* m_document = nullptr;
    QTextCursor m_caret;
    int m_style = NormalText;
    QList<QImage> m_pictures;
    bool m_highContrast = false;
    int m_boldSize = 11;
};
