// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/action_guard.h"
#include "app/artwork.h"
#include "app/t_form.h"
#include "app/window_placement.h"
#include "content/plural_word.h"
#include "draw/description_view.h"

#include <QButtonGroup>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>

// The window's furniture, built once: every control the game reaches by
// name carries that name as its object name, and the shelf panels and slot
// images carry the tags the game finds them by.

namespace {

const QColor kWindowColor(0xF1, 0xF1, 0xF1);
const QColor kMenuColor(0xE3, 0xE6, 0x1B);
const QColor kGreen(0xA1, 0xB8, 0x22);
const QColor kShelfColor(0x80, 0x40, 0x40);
const QColor kMessageColor(0x30, 0x64, 0x00);
const QColor kHelpColor(0xE8, 0xE0, 0xC6);

QFont verdana(int pixelSize, bool bold = false)
{
    QFont font(QStringLiteral("Verdana"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

void setTextColor(QWidget* control, const QColor& color)
{
    QPalette palette = control->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    control->setPalette(palette);
}

Panel* makePanel(QWidget* parent, const QString& name, const QColor& color,
                 Panel::Bevel bevel = Panel::Bevel::None)
{
    auto* panel = new Panel(parent, name);
    panel->setColor(color);
    panel->setBevel(bevel, 1);
    return panel;
}

ImageControl* makeImage(QWidget* parent, const QString& name, const QRect& geometry, int tag = 0)
{
    auto* image = new ImageControl(parent, name);
    image->setGeometry(geometry);
    setTag(image, tag);
    return image;
}

FlatButton* makeFlatButton(QWidget* parent, const QString& name, const QString& strip,
                           const QString& hint, int tag)
{
    auto* button = new FlatButton(parent, name);
    button->setStrip(Artwork::strip(strip));
    button->setToolTip(hint);
    button->setFocusPolicy(Qt::NoFocus);
    setTag(button, tag);
    return button;
}

// A menu-bar button, docked left or right within the bar.
FlatButton* makeMenuButton(QWidget* bar, const QString& name, const QString& strip, const QString& hint,
                           int tag, int x, int width, Dock dock)
{
    FlatButton* button = makeFlatButton(bar, name, strip, hint, tag);
    button->setGeometry(x, 0, width, 63);
    setDock(button, dock);
    return button;
}

QLabel* makeResultLabel(QWidget* parent, const QString& name, const QString& text, int width, int height)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, kWindowColor);
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    label->setFont(verdana(11));
    label->setToolTip(QStringLiteral("Wyniki"));
    label->resize(width, height);
    // A label does nothing when clicked; it must not hand the click on to
    // its column panel, which would toggle the results.
    label->setAttribute(Qt::WA_NoMousePropagation);
    setDock(label, Dock::Top);
    return label;
}

// A shelf panel: caption of three blanks and the shelf's digit, left-justified.
Panel* makeShelfPanel(QWidget* row, const QString& name, QChar digit, const QRect& geometry, int tag)
{
    Panel* shelf = makePanel(row, name, kShelfColor);
    shelf->setCaption(QStringLiteral("   ") + digit);
    shelf->setCaptionAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    shelf->setGeometry(geometry);
    setTag(shelf, tag);
    return shelf;
}

}  // namespace

void T_Form::buildLayout()
{
    setObjectName(QStringLiteral("_Form"));
    setWindowTitle(QStringLiteral("Trefolia"));
    setWindowIcon(Artwork::windowIcon());
    // Single-line border, system menu and minimise, no maximise, not resizable.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(794, 570);
    setFont(verdana(13));
    setTextColor(this, Qt::black);
    setAutoFillBackground(true);
    {
        QPalette palette = this->palette();
        palette.setColor(QPalette::Window, kWindowColor);
        setPalette(palette);
    }
    placeAtScreenCentre(this);

    // Drawing surface for the description's pictograms, never seen.
    i_Text = makeImage(this, QStringLiteral("i_Text"), QRect(811, 124, 32, 32), 500);

    // The set's own word for its items, for the rules and the logo.
    pluralWord = PluralWord::read(environment.contentDirectory());

    // Help overlay, covering the whole client area when shown.
    _Help = makePanel(this, QStringLiteral("_Help"), kHelpColor);
    _Help->setCursor(Qt::ArrowCursor);
    setDock(_Help, Dock::Client);
    _Help->hide();
    auto* i_Help = makeImage(_Help, QStringLiteral("i_Help"), QRect(0, 0, 794, 570));
    i_Help->setPicture(Artwork::picture(QStringLiteral("rules"), pluralWord));
    setDock(i_Help, Dock::Client);

    // The game.
    p_Game = makePanel(this, QStringLiteral("p_Game"), kWindowColor, Panel::Bevel::Raised);
    setDock(p_Game, Dock::Client);

    // Menu bar.
    Panel* p_Menu = makePanel(p_Game, QStringLiteral("p_Menu"), kMenuColor);
    p_Menu->setGeometry(1, 1, 792, 63);
    setTag(p_Menu, -1);
    setDock(p_Menu, Dock::Top);

    auto* i_Logo = makeImage(p_Menu, QStringLiteral("i_Logo"), QRect(0, 0, 223, 63), 1000);
    i_Logo->setPicture(Artwork::picture(QStringLiteral("logo"), pluralWord));
    setDock(i_Logo, Dock::Left);

    tb_Warm_Play = makeMenuButton(p_Menu, QStringLiteral("tb_Warm_Play"), QStringLiteral("warm_play"),
                                  QStringLiteral("Przełączanie trybu - ROZGRZEWKA / ROZGRYWKA"), 0, 223, 94,
                                  Dock::Left);
    tb_Warm_Play->setCheckable(true);

    const QString modeHints[3] = {QStringLiteral("Tryb wskazywania półek, które nie pasują do opisu"),
                                  QStringLiteral("Tryb wskazywania półki, która pasuje do opisu"),
                                  QStringLiteral("Tryb zaznaczania półek, które nie pasują do opisu")};
    auto* modeGroup = new QButtonGroup(this);
    modeGroup->setObjectName(QStringLiteral("group_2"));
    modeGroup->setExclusive(true);
    for (int i = 0; i < 3; ++i) {
        FlatButton* button = makeMenuButton(p_Menu, QStringLiteral("sb_Mode_%1").arg(i),
                                            QStringLiteral("mode_%1").arg(i), modeHints[i], i, 317 + 63 * i,
                                            63, Dock::Left);
        button->setCheckable(true);
        modeGroup->addButton(button, i);
    }
    control<FlatButton>(QStringLiteral("sb_Mode_0"))->setChecked(true);

    // Right-docked buttons stack inwards from the right edge: level 4 first.
    auto* levelGroup = new QButtonGroup(this);
    levelGroup->setObjectName(QStringLiteral("group_1"));
    levelGroup->setExclusive(true);
    for (int i = 3; i >= 0; --i) {
        FlatButton* button = makeMenuButton(p_Menu, QStringLiteral("sb_Level_%1").arg(i),
                                            QStringLiteral("level_%1").arg(i),
                                            QStringLiteral("%1. poziom ").arg(i + 1), i, 592 + 50 * i, 50,
                                            Dock::Right);
        button->setCheckable(true);
        levelGroup->addButton(button, i);
    }
    makeMenuButton(p_Menu, QStringLiteral("sb_Delete"), QStringLiteral("delete"),
                   QStringLiteral("Usuwanie zaznaczonych półek"), 0, 529, 63, Dock::Right);

    // Description line.
    rve_Text = new DescriptionView(p_Game, QStringLiteral("rve_Text"));
    rve_Text->setGeometry(1, 64, 792, 60);
    rve_Text->setAutoFillBackground(true);
    {
        QPalette palette = rve_Text->palette();
        palette.setColor(QPalette::Window, kGreen);
        palette.setColor(QPalette::Base, kGreen);
        rve_Text->setPalette(palette);
    }
    rve_Text->setEnabled(false);
    setDock(rve_Text, Dock::Top);

    // Bottom-docked controls stack upwards from the bottom edge: footer first.
    auto* i_AllRights = makeImage(p_Game, QStringLiteral("i_AllRights"), QRect(1, 552, 792, 17));
    i_AllRights->setPicture(Artwork::picture(QStringLiteral("footer")));
    setDock(i_AllRights, Dock::Bottom);

    Panel* p_Rest = makePanel(p_Game, QStringLiteral("p_Rest"), kMenuColor);
    p_Rest->setGeometry(1, 371, 792, 181);
    setDock(p_Rest, Dock::Bottom);

    p_Komunikat = makePanel(p_Game, QStringLiteral("p_Komunikat"), kMessageColor);
    p_Komunikat->setGeometry(1, 349, 792, 22);
    p_Komunikat->setFont(verdana(15));
    setTextColor(p_Komunikat, Qt::white);
    p_Komunikat->setCaptionAlignment(Qt::AlignCenter);
    p_Komunikat->setToolTip(QStringLiteral("Komunikaty"));
    setDock(p_Komunikat, Dock::Bottom);

    // Shelf frames, both on the rectangle the rest leaves.
    p_Fr_06 = makePanel(p_Game, QStringLiteral("p_Fr_06"), kWindowColor, Panel::Bevel::Lowered);
    setDock(p_Fr_06, Dock::Client);
    p_Fr_06->hide();
    p_Fr_12 = makePanel(p_Game, QStringLiteral("p_Fr_12"), kWindowColor, Panel::Bevel::Lowered);
    setDock(p_Fr_12, Dock::Client);

    // Six large shelves: bottom row 0, 1, 2; top row 3, 4, 5.
    const QString rows06[2] = {QStringLiteral("p_V1"), QStringLiteral("p_V2")};
    for (int r = 0; r < 2; ++r) {
        Panel* row = makePanel(p_Fr_06, rows06[r], kWindowColor);
        row->setGeometry(1, r == 0 ? 111 : 1, 792, 110);
        for (int c = 0; c < 3; ++c) {
            const int shelf = r * 3 + c;
            Panel* panel = makeShelfPanel(row, QStringLiteral("p_No_%1").arg(shelf), QChar(u'0' + shelf),
                                          QRect(10 + 260 * c, 10, 250, 85), 100 + shelf);
            for (int slot = 0; slot < 3; ++slot)
                makeImage(panel, QStringLiteral("i3_%1_%2").arg(shelf).arg(slot),
                          QRect(5 + 80 * slot, 0, 80, 80), slot + 1);
        }
    }

    // Twelve small shelves: rows from the bottom, 0-2, 3-5, 6-8, 9-B.
    const QString shelfDigits = QStringLiteral("0123456789AB");
    for (int r = 0; r < 4; ++r) {
        Panel* row = makePanel(p_Fr_12, QStringLiteral("p_W%1").arg(r + 1), kWindowColor);
        row->setGeometry(1, 1 + 55 * (3 - r), 792, 55);
        for (int c = 0; c < 3; ++c) {
            const int shelf = r * 3 + c;
            const QChar digit = shelfDigits.at(shelf);
            Panel* panel = makeShelfPanel(row, QStringLiteral("P_Nr_") + digit, digit,
                                          QRect(10 + 260 * c, 4, 250, 52), 200 + shelf);
            panel->hide();
            for (int slot = 0; slot < 5; ++slot)
                makeImage(panel, QStringLiteral("i_%1_%2").arg(digit).arg(slot),
                          QRect(4 + 48 * slot, 0, 48, 48), slot + 1);
        }
    }

    // Lower panel: the timed-play panel under the warm-up panel.
    p_Play = makePanel(p_Rest, QStringLiteral("p_Play"), kMenuColor);
    p_Play->setParentColor(true);
    p_Play->setFont(verdana(15));
    setTextColor(p_Play, Qt::white);
    p_Play->setCaption(QStringLiteral("Kliknij, aby zobaczyć wyniki"));
    p_Play->setCaptionAlignment(Qt::AlignCenter);
    setDock(p_Play, Dock::Client);

    auto* tb_Help_1 = makeFlatButton(p_Play, QStringLiteral("tb_Help_1"), QStringLiteral("help"),
                                     QStringLiteral("Zasady gry"), 0);
    tb_Help_1->setGeometry(620, 90, 160, 70);
    auto* i_Projekt_1 = makeImage(p_Play, QStringLiteral("i_Projekt_1"), QRect(20, 90, 70, 70), 1000);
    i_Projekt_1->setPicture(Artwork::picture(QStringLiteral("badge")), true);
    // The badge's hint pause follows the pointer even with no button held.
    i_Projekt_1->setMouseTracking(true);
    tb_Sound_2 = makeFlatButton(p_Play, QStringLiteral("tb_Sound_2"), QStringLiteral("sound"),
                                QStringLiteral("Włącz / wyłącz dźwięki"), 0);
    tb_Sound_2->setGeometry(570, 103, 45, 45);
    tb_Sound_2->setCheckable(true);

    p_Result_2 = makePanel(p_Play, QStringLiteral("p_Result_2"), kGreen);
    p_Result_2->setGeometry(0, 0, 792, 80);
    setDock(p_Result_2, Dock::Top);
    p_Result_2->hide();

    pb_Note = new QProgressBar(p_Play);
    pb_Note->setObjectName(QStringLiteral("pb_Note"));
    pb_Note->setGeometry(0, 164, 792, 17);
    pb_Note->setRange(0, 6);
    pb_Note->setValue(0);
    pb_Note->setTextVisible(false);
    // The round clock does nothing when clicked; it must not hand the click
    // on to p_Play, which would toggle the results.
    pb_Note->setAttribute(Qt::WA_NoMousePropagation);
    setDock(pb_Note, Dock::Bottom);

    // Results: spacers and level boxes, left-docked from the left, right-docked from the right.
    const QString levelNames[4] = {QStringLiteral("pierwszym"), QStringLiteral("drugim"),
                                   QStringLiteral("trzecim"), QStringLiteral("czwartym")};
    const auto makeSpacer = [this](int n, int width, Dock dock) {
        Panel* spacer = makePanel(p_Result_2, QStringLiteral("p_R%1").arg(n), kGreen);
        spacer->setParentColor(true);
        spacer->setToolTip(QStringLiteral("Wyniki"));
        spacer->resize(width, 80);
        setDock(spacer, dock);
    };
    const auto makeColumn = [](Panel* box, const QString& panelName, const QString& labelName,
                               const QString& caption, const QString& valueName, Dock dock) {
        Panel* column = makePanel(box, panelName, kGreen);
        column->setToolTip(QStringLiteral("Wyniki"));
        column->resize(86, 63);
        setDock(column, dock);
        makeResultLabel(column, labelName, caption, 86, 39);
        Panel* value = makePanel(column, valueName, kWindowColor);
        value->setFont(verdana(13, true));
        setTextColor(value, Qt::black);
        value->setCaptionAlignment(Qt::AlignCenter);
        value->setToolTip(QStringLiteral("Wyniki"));
        value->resize(86, 18);
        setDock(value, Dock::Bottom);
    };
    const auto makeLevelBox = [this, &levelNames, &makeColumn](int n, Dock dock) {
        Panel* box = makePanel(p_Result_2, QStringLiteral("p_Level%1").arg(n), kGreen);
        box->setBevel(Panel::Bevel::Raised, 2);
        box->resize(180, 80);
        setDock(box, dock);
        makeResultLabel(box, QStringLiteral("l_%1").arg(n) + u'1',
                        QStringLiteral("Na poziomie %1:").arg(levelNames[n - 1]), 176, 13);
        makeColumn(box, QStringLiteral("p_L%1").arg(n) + u'1', QStringLiteral("l_%1").arg(n) + u'2',
                   QStringLiteral("ukończonych gier w jednej rundzie"), QStringLiteral("p_%1_G").arg(n),
                   Dock::Left);
        makeColumn(box, QStringLiteral("p_L%1").arg(n) + u'2', QStringLiteral("l_%1").arg(n) + u'3',
                   QStringLiteral("najlepszy uzyskany czas"), QStringLiteral("p_%1_T").arg(n), Dock::Right);
    };
    makeSpacer(1, 13, Dock::Left);
    makeLevelBox(1, Dock::Left);
    makeSpacer(2, 13, Dock::Left);
    makeLevelBox(2, Dock::Left);
    makeSpacer(5, 13, Dock::Right);
    makeLevelBox(4, Dock::Right);
    makeSpacer(4, 13, Dock::Right);
    makeLevelBox(3, Dock::Right);
    makeSpacer(3, 20, Dock::Client);
    for (int n = 1; n <= 4; ++n) {
        control<Panel>(QStringLiteral("p_%1_G").arg(n))->setCaption(QStringLiteral("0"));
        control<Panel>(QStringLiteral("p_%1_T").arg(n))->setCaption(QStringLiteral("0,0 s"));
    }

    // Warm-up panel, lying above the timed-play panel.
    p_Warm = makePanel(p_Rest, QStringLiteral("p_Warm"), kGreen, Panel::Bevel::Raised);
    setDock(p_Warm, Dock::Client);
    auto* i_Graph = makeImage(p_Warm, QStringLiteral("i_Graph"), QRect(1, 1, 790, 179), 300);
    i_Graph->setPicture(Artwork::picture(QStringLiteral("graph")));
    setDock(i_Graph, Dock::Client);
    auto* tb_Help_0 = makeFlatButton(p_Warm, QStringLiteral("tb_Help_0"), QStringLiteral("help"),
                                     QStringLiteral("Zasady gry"), 0);
    tb_Help_0->setGeometry(620, 90, 160, 70);
    auto* i_Projekt_0 = makeImage(p_Warm, QStringLiteral("i_Projekt_0"), QRect(20, 90, 70, 70), 1000);
    i_Projekt_0->setPicture(Artwork::picture(QStringLiteral("badge")), true);
    // The badge's hint pause follows the pointer even with no button held.
    i_Projekt_0->setMouseTracking(true);
    tb_Sound_1 = makeFlatButton(p_Warm, QStringLiteral("tb_Sound_1"), QStringLiteral("sound"),
                                QStringLiteral("Włącz / wyłącz dźwięki"), 0);
    tb_Sound_1->setGeometry(570, 103, 45, 45);
    tb_Sound_1->setCheckable(true);

    // Store of the loaded item list's lines, never seen.
    lb_Base = new LineStore(this, QStringLiteral("lb_Base"));
    lb_Base->setGeometry(811, 141, 120, 184);
    QFont courier(QStringLiteral("Courier New"));
    courier.setPixelSize(13);
    lb_Base->setFont(courier);

    t_Game = new QTimer(this);
    t_Game->setObjectName(QStringLiteral("t_Game"));
    t_Game->setInterval(100);
    t_Game->start();
}

void T_Form::connectHandlers()
{
    // Every handler runs inside the guard, so an error from below ends only
    // the action in progress and is shown in the error box.
    using MouseHandler = void (T_Form::*)(QWidget*, Qt::MouseButton, ShiftState, int, int);
    const auto guardedMouse = [this](MouseHandler handler) {
        return [this, handler](QWidget* sender, Qt::MouseButton button, ShiftState shift, int x, int y) {
            guardedAction([&] { (this->*handler)(sender, button, shift, x, y); });
        };
    };

    connect(t_Game, &QTimer::timeout, this, [this] { guardedAction([&] { t_GameTimer(); }); });

    for (const QString& name : {QStringLiteral("sb_Level_0"), QStringLiteral("sb_Level_1"),
                                QStringLiteral("sb_Level_2"), QStringLiteral("sb_Level_3")}) {
        auto* button = control<FlatButton>(name);
        connect(button, &QAbstractButton::clicked, this,
                [this, button] { guardedAction([&] { Etap_Click(button); }); });
    }
    for (const QString& name :
         {QStringLiteral("sb_Mode_0"), QStringLiteral("sb_Mode_1"), QStringLiteral("sb_Mode_2")}) {
        auto* button = control<FlatButton>(name);
        connect(button, &QAbstractButton::clicked, this,
                [this, button] { guardedAction([&] { sb_Mode_Click(button); }); });
    }
    connect(tb_Warm_Play, &QAbstractButton::clicked, this, [this] { guardedAction([&] { tb_Warm_PlayClick(); }); });
    connect(control<FlatButton>(QStringLiteral("sb_Delete")), &QAbstractButton::clicked, this,
            [this] { guardedAction([&] { sb_DeleteClick(); }); });

    // Shelf panels and their slot images.
    for (Panel* panel : findChildren<Panel*>()) {
        const int tag = tagOf(panel);
        if (tag < 100 || tag > 211)
            continue;
        connect(panel, &Panel::mouseDown, this, guardedMouse(&T_Form::p_Nr_MouseDown));
        for (ImageControl* slot : panel->findChildren<ImageControl*>(Qt::FindDirectChildrenOnly))
            connect(slot, &ImageControl::mouseDown, this, guardedMouse(&T_Form::i_MouseDown));
    }

    const auto help = [this] { guardedAction([&] { _HelpClick(); }); };
    connect(_Help, &Panel::clicked, this, help);
    connect(control<ImageControl>(QStringLiteral("i_Help")), &ImageControl::clicked, this, help);
    connect(control<FlatButton>(QStringLiteral("tb_Help_0")), &QAbstractButton::clicked, this, help);
    connect(control<FlatButton>(QStringLiteral("tb_Help_1")), &QAbstractButton::clicked, this, help);

    const auto hideResults = [this] { guardedAction([&] { HideResultClick(); }); };
    QStringList resultToggles{QStringLiteral("p_Play")};
    for (int n = 1; n <= 5; ++n)
        resultToggles << QStringLiteral("p_R%1").arg(n);
    for (int n = 1; n <= 4; ++n)
        resultToggles << QStringLiteral("p_L%1").arg(n) + u'1' << QStringLiteral("p_L%1").arg(n) + u'2';
    for (const QString& name : resultToggles)
        connect(control<Panel>(name), &Panel::clicked, this, hideResults);

    const auto sound = [this] { guardedAction([&] { tb_Sound_Click(); }); };
    connect(tb_Sound_1, &QAbstractButton::clicked, this, sound);
    connect(tb_Sound_2, &QAbstractButton::clicked, this, sound);

    for (const QString& name : {QStringLiteral("i_Projekt_0"), QStringLiteral("i_Projekt_1")}) {
        auto* badge = control<ImageControl>(name);
        connect(badge, &ImageControl::mouseDown, this, guardedMouse(&T_Form::i_Projekt_MouseDown));
        connect(badge, &ImageControl::mouseUp, this, guardedMouse(&T_Form::i_Projekt_MouseUp));
        connect(badge, &ImageControl::mouseMoved, this, [this](QWidget* sender, ShiftState shift, int x, int y) {
            guardedAction([&] { i_Projekt_MouseMove(sender, shift, x, y); });
        });
        connect(badge, &ImageControl::mouseLeft, this,
                [this](QWidget* sender) { guardedAction([&] { i_Projekt_MouseLeave(sender); }); });
    }
    connect(control<ImageControl>(QStringLiteral("i_Logo")), &ImageControl::clicked, this,
            [this] { guardedAction([&] { i_LogoClick(); }); });
}
