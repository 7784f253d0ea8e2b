#pragma once
// rve_Text: the description strip above the shelves. White text on the
// strip's colour in one paragraph, with 32-pixel pictograms standing in the
// line like characters and small lowered dots as separators. The game
// writes it only through the six operations below; the user can neither
// type in it nor select anything.

#include <QImage>
#include <QString>
#include <QWidget>

class DescriptionView : public QWidget {
    Q_OBJECT
public:
    // Text style 0 "Normal text" and 1 "Kropka" (the dot separators).
    enum TextStyle { NormalText = 0, Kropka = 1 };

    explicit DescriptionView(QWidget* parent, const QString& objectName);
    ~DescriptionView() override;

    void Clear();
    void Add(const QString& text, int textStyle);
    void CurTextStyleNo(int textStyle);
    int curTextStyleNo() const;
    void InsertText(const QString& text, bool caretBefore = false);
    void InsertPicture(const QString& name, const QImage& bitmap);
    void Format();

    // The content as plain text, pictures as U+FFFC (for tests and tools).
    QString plainText() const;
    int pictureCount() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Impl;
    Impl* d;
};
