// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/high_contrast.h"

#include "app/artwork.h"
#include "app/t_form.h"
#include "content/item_list.h"
#include "draw/description_view.h"
#include "draw/tile_drawing.h"
#include "puzzle/description_pieces.h"
#include "puzzle/phrase_tables.h"

#include <QFile>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QSettings>

namespace {

const char* const kSettingsKey = "view/highContrast";
const char* const kOwnTextColour = "ownTextColour";
constexpr int kWordLevel = 3;  // level 4, whose descriptions are the longest words

// The round clock: a black bar on white within a black line, 21:1.
const QString kContrastClock = QStringLiteral("QProgressBar { background-color: #FFFFFF; border: 1px solid #000000; }"
                                              "QProgressBar::chunk { background-color: #000000; }");

QSettings userSettings()
{
    return QSettings(QStringLiteral("Trefolia"), QStringLiteral("Trefolia"));
}

// A list as the description's size needs it: one that cannot be read
// gives no lines (the deal itself reports it when a level is pressed).
QStringList readListQuietly(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > ItemList::maxFileSize)
        return {};
    return decodeItemList(file.readAll());
}

// A caption's colour in the view, its own one kept on the control.
void showTextColour(QWidget* control, bool on, const QColor& contrastColour)
{
    QPalette palette = control->palette();
    if (!control->property(kOwnTextColour).isValid())
        control->setProperty(kOwnTextColour, palette.color(QPalette::WindowText));
    palette.setColor(QPalette::WindowText, on ? contrastColour : control->property(kOwnTextColour).value<QColor>());
    control->setPalette(palette);
}

}  // namespace

namespace HighContrastChoice {

bool remembered()
{
    const QVariant value = userSettings().value(QLatin1String(kSettingsKey));
    return value.isValid() && value.toString() == QLatin1String("true");
}

void remember(bool on)
{
    QSettings settings = userSettings();
    settings.setValue(QLatin1String(kSettingsKey), on);
    settings.sync();
}

void toggle(T_Form& form)
{
    form.setHighContrast(!form.highContrast());
    remember(form.highContrast());
}

}  // namespace HighContrastChoice

void T_Form::setHighContrast(bool on)
{
    if (!contrastMarks && !on)
        return;  // never shown: nothing to undo
    highContrastOn = on;
    if (!contrastMarks) {
        ownClockStyle = pb_Note->styleSheet();
        contrastMarks = new ContrastMarks(this);
        connect(this, &T_Form::changeShown, contrastMarks, qOverload<>(&QWidget::update));
        findDescriptionSizes();
    }
    // White on the menu's yellow is 1.4:1, black 15:1.
    showTextColour(p_Play, on, Qt::black);
    pb_Note->setStyleSheet(on ? kContrastClock : ownClockStyle);
    control<ImageControl>(QStringLiteral("i_Help"))
        ->setPicture(on ? Artwork::contrastRules(pluralWord) : Artwork::picture(QStringLiteral("rules"), pluralWord));
    rve_Text->setHighContrast(on, descriptionTextSize());
    showContrastOnShelves();
    contrastMarks->setVisible(on);
    contrastMarks->raise();
    contrastMarks->update();
}

int T_Form::descriptionTextSize() const
{
    if (!highContrastOn)
        return 0;
    return isPictureLevel(ps.N_Level) ? contrastPictureSize : contrastWordSize;
}

void T_Form::findDescriptionSizes()
{
    // Pictures: every phrase of levels 1 and 2, its pictograms all of one
    // size whatever the items, keeps to the band.
    QList<QList<DescriptionPiece>> phrases;
    const QStringList anyItem{QStringLiteral("00000")};
    for (int level = 0; level < kWordLevel; ++level)
        if (isPictureLevel(level))
            for (int phrase = 0; phrase < PhraseTables::phraseCount(level); ++phrase)
                phrases << pictureDescription(level, phrase, {}, anyItem);
    QImage blank(TileLook::PictogramSize, TileLook::PictogramSize, QImage::Format_RGB32);
    blank.fill(Qt::white);
    contrastPictureSize = rve_Text->largestBoldSizeFitting(int(phrases.size()), [&](DescriptionView& view, int i) {
        writeDescription(view, phrases[i], [&](int) { return blank; });
    });

    // Words: as large as the band lets the longest description of level 4
    // be, and of level 3, shown at the same size. Lists that cannot be read
    // deal no game: the words then take the pictures' size.
    QStringList longest;
    for (int level : {kWordLevel - 1, kWordLevel})
        longest += longestWordDescriptions(level, readListQuietly(game.listPathOf(level)));
    contrastWordSize = longest.isEmpty()
        ? contrastPictureSize
        : rve_Text->largestBoldSizeFitting(int(longest.size()), [&](DescriptionView& view, int i) {
              view.Add(longest[i], DescriptionView::NormalText);
          });
}

void T_Form::showContrastOnShelves()
{
    for (int shelf = 0; shelf < game.frameShelfCount(); ++shelf) {
        Panel* panel = shelfPanel(ps.N_Level, shelf);
        if (!panel)
            continue;
        panel->setColor(shelfColour(game.onTable(shelf) ? game.look(shelf) : ShelfLook::Plain));
        // A marked shelf's tiles carry the mark of the view now shown.
        if (game.marked(shelf))
            DrawShelf(shelf);
    }
}

// ------------------------------------------------------------ the marks

namespace {

enum class Badge { Cross, Tick, Exclamation, Target };

void drawBadge(QPainter& painter, const QPointF& centre, qreal diameter, Badge badge)
{
    const qreal r = diameter / 2;
    // A lost game's badge is the only dark one: a greyscale print keeps it
    // apart from the won game's at a glance.
    const bool dark = badge == Badge::Exclamation;
    const QColor ground = dark ? Qt::black : Qt::white;
    const QColor ink = dark ? Qt::white : Qt::black;
    painter.setPen(QPen(Qt::black, 2));
    painter.setBrush(ground);
    painter.drawEllipse(centre, r - 1, r - 1);

    QPen stroke(ink, qMax<qreal>(3, diameter / 9), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(stroke);
    painter.setBrush(Qt::NoBrush);
    const qreal a = r * 0.42;
    switch (badge) {
    case Badge::Cross:
        painter.drawLine(centre + QPointF(-a, -a), centre + QPointF(a, a));
        painter.drawLine(centre + QPointF(-a, a), centre + QPointF(a, -a));
        break;
    case Badge::Tick: {
        QPainterPath tick;
        tick.moveTo(centre + QPointF(-a, 0));
        tick.lineTo(centre + QPointF(-a * 0.25, a * 0.75));
        tick.lineTo(centre + QPointF(a, -a * 0.7));
        painter.drawPath(tick);
        break;
    }
    case Badge::Exclamation:
        painter.drawLine(centre + QPointF(0, -a * 1.2), centre + QPointF(0, a * 0.35));
        painter.drawPoint(centre + QPointF(0, a * 1.05));
        break;
    case Badge::Target:
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink);
        painter.drawEllipse(centre, a, a);
        break;
    }
}

bool badgeOf(ShelfLook look, Badge& badge)
{
    switch (look) {
    case ShelfLook::Mistaken: badge = Badge::Cross; return true;
    case ShelfLook::Won: badge = Badge::Tick; return true;
    case ShelfLook::Lost: badge = Badge::Exclamation; return true;
    case ShelfLook::Revealed: badge = Badge::Target; return true;
    case ShelfLook::Plain: break;
    }
    return false;
}

}  // namespace

ContrastMarks::ContrastMarks(T_Form* form) : QWidget(form), form(form)
{
    setObjectName(QStringLiteral("contrastMarks"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(form->rect());
}

void ContrastMarks::paintEvent(QPaintEvent*)
{
    const QWidget* rules = form->control(QStringLiteral("_Help"));
    if (rules && rules->isVisible())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);

    // The way of playing in words, where the bulbs of its button alone told it.
    if (auto* bar = form->control<Panel>(QStringLiteral("p_Komunikat")); bar && bar->isVisible()) {
        const QRect area(bar->mapTo(form, QPoint(0, 0)), bar->size());
        QFont font(QStringLiteral("Verdana"));
        font.setPixelSize(13);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(bar->palette().color(QPalette::WindowText));
        const QString words = form->playState().Rozgrzewka ? QStringLiteral("ROZGRZEWKA") : QStringLiteral("GRA NA CZAS");
        painter.drawText(area.adjusted(8, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, words);
    }

    const GameModel& game = form->model();
    for (int shelf = 0; shelf < game.frameShelfCount(); ++shelf) {
        Badge badge;
        const Panel* panel = form->shelfPanel(form->playState().N_Level, shelf);
        if (!panel || !panel->isVisible() || !game.onTable(shelf) || !badgeOf(game.look(shelf), badge))
            continue;
        const QRect r(panel->mapTo(form, QPoint(0, 0)), panel->size());
        const QWidget* row = panel->parentWidget();
        const int shown = qMin(r.height(), row->height() - panel->y());
        if (form->playState().N_Level != 0) {
            // A narrow shelf: the badge stands in the free room to its right.
            const qreal d = qMin(40, shown - 8);
            drawBadge(painter, QPointF(r.right() + 1 + 28, r.top() + shown / 2.0), d, badge);
        } else {
            // A wide shelf fills its place: the badge sits on its top-right corner.
            drawBadge(painter, QPointF(r.right() - 17, r.top() + 17), 34, badge);
        }
    }
}
