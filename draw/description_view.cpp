#include "draw/description_view.h"

// Interim body: keeps the window building until the rich-text view lands.

struct DescriptionView::Impl {
    QString text;
    int style = 0;
    int pictures = 0;
};

DescriptionView::DescriptionView(QWidget* parent, const QString& objectName) : QWidget(parent), d(new Impl)
{
    setObjectName(objectName);
}

DescriptionView::~DescriptionView() { delete d; }
void DescriptionView::Clear() { d->text.clear(); d->pictures = 0; }
void DescriptionView::Add(const QString& text, int) { d->text += text; }
void DescriptionView::CurTextStyleNo(int style) { d->style = style; }
int DescriptionView::curTextStyleNo() const { return d->style; }
void DescriptionView::InsertText(const QString& text, bool) { d->text += text; }
void DescriptionView::InsertPicture(const QString&, const QImage&) { d->text += QChar(0xFFFC); ++d->pictures; }
void DescriptionView::Format() { update(); }
QString DescriptionView::plainText() const { return d->text; }
int DescriptionView::pictureCount() const { return d->pictures; }
void DescriptionView::paintEvent(QPaintEvent*) {}
