// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/accessibility.h"
#include "app/announcements.h"
#include "app/artwork.h"
#include "app/cursors.h"
#include "app/dialogs.h"
#include "app/display_scale.h"
#include "app/exit_status.h"
#include "app/hints.h"
#include "app/keyboard.h"
#include "app/result_format.h"
#include "app/startup_messages.h"
#include "app/t_form.h"

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>
#include <chrono>

// The window's creation: the start-up checks in their fixed order, then the
// start values of the play state and of the window's furniture.

QPointer<T_Form> _Form;

namespace {

// The content files, in the order they are checked.
const char* const kContentFiles[] = {"A.wv", "B.wv", "C.wv", "D.bb", "E.bt", "F.tx", "G.tx", "H.tx"};

constexpr int kRequiredDpi = 96;
constexpr int kMinScreenWidth = 800;
constexpr int kMinScreenHeight = 600;

}  // namespace

StartupEnvironment StartupEnvironment::fromSystem()
{
    StartupEnvironment env;
    env.programDir = QCoreApplication::applicationDirPath();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        // Qt reports the density per scaled pixel: a screen scaled by 2 at
        // 96 ppi says 48. The check and its box want the desktop's own.
        env.screenDpi = DisplayScale::desktopDensity(
            {screen->logicalDotsPerInch(), screen->devicePixelRatio(), DisplayScale::globalFactorFromEnvironment()});
        env.scale = screen->devicePixelRatio();
        env.screenSize = DisplayScale::scaled(screen->size(), env.scale);
    }
    return env;
}

QString StartupEnvironment::contentDirectory() const
{
    QString dir = contentDir;
    if (dir.isEmpty()) {
        dir = programDir;
        while (dir.endsWith(QLatin1Char('/')) && dir.size() > 1)
            dir.chop(1);
        dir += QStringLiteral("/Base");
    }
    return dir.endsWith(QLatin1Char('/')) ? dir : dir + QLatin1Char('/');
}

T_Form::T_Form(const StartupEnvironment& env, QWidget* parent) : QWidget(parent), environment(env)
{
    // Before any control exists: a screen reader that is already running
    // asks for a control's interface as soon as its state first changes.
    installAccessibility(this);
    // The game's questions are the window's message boxes.
    game.setAsk([](const QString& text, const QString& caption) { return Dialogs::ask(text, caption); });
    buildLayout();
    connectHandlers();
    FormCreate();
    // Keyboard play, then what a screen reader is told unasked.
    new KeyboardNavigator(this);
    installAnnouncements(this);
    if (environment.highContrast)
        setHighContrast(true);
}

T_Form::~T_Form()
{
    // The message hook, the keys and the announcements watch the whole
    // application and read the game and controls that are about to go:
    // they go first, before the controls hide on their way out.
    if (qApp)
        qApp->removeEventFilter(this);
    qDeleteAll(findChildren<KeyboardNavigator*>(Qt::FindDirectChildrenOnly));
    qDeleteAll(findChildren<Announcer*>(Qt::FindDirectChildrenOnly));
}

void T_Form::FormCreate()
{
    // 1. One seed for the whole run.
    game.seedRandom(static_cast<std::uint32_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count()));

    // 2. Directories, each with its trailing separator.
    QString programDir = environment.programDir;
    while (programDir.endsWith(QLatin1Char('/')) && programDir.size() > 1)
        programDir.chop(1);
    ps.Base_S = programDir + QLatin1Char('/');
    // Base/ beside the program, unless another set was chosen to be played.
    ps.Base_B = environment.contentDirectory();
    ps.Base_W = ps.Base_S + QStringLiteral("Work/");

    // 3. Outer size 800 x 600: the client area is fixed at 794 x 570 by the layout.
    setFixedSize(794, 570);

    // 4.
    ps.Miss_Base = false;
    ps.S_Fru_Weg = QStringLiteral("00120");
    ps.I_Limit = 32;
    ps.Time_Runda.fill(1200);

    // 5. The directory is tested by its name without the separator.
    if (!QFileInfo(ps.Base_B.chopped(1)).isDir()) {
        ReportMissingDirectory(ps.Base_B);
        ps.Miss_Base = true;
    }
    // 6. Only the first missing file is reported.
    for (const char* file : kContentFiles) {
        if (ps.Miss_Base)
            break;
        ps.Miss_Base = ReportMissingFile(ps.Base_B + QLatin1String(file));
    }
    // 7.
    if (ps.Miss_Base)
        return;

    // 8.
    if (environment.screenDpi != kRequiredDpi) {
        ps.Miss_Resolution = true;
        ReportScreenDensity(environment.screenDpi);
        return;
    }
    // 9., 10. A scaled window needs a screen as much larger, in device pixels.
    ps.Miss_LCD = false;
    const QSize needed = DisplayScale::scaled(QSize(kMinScreenWidth, kMinScreenHeight), environment.scale);
    if (environment.screenSize.width() < needed.width() || environment.screenSize.height() < needed.height()) {
        ReportScreenTooSmall(environment.screenSize.width(), environment.screenSize.height(), needed.width(),
                             needed.height());
        ps.Miss_LCD = true;
        return;
    }

    // 11. Play state start values.
    ps.Rozgrzewka = !tb_Warm_Play->isChecked();
    ps.B_Game = false;
    ps.B_Round = false;
    ps.N_Level = -1;
    ps.Cnt_Sedno = 0;
    ps.TGame.fill(0);
    ps.Cnt_Skuch = 0;
    ps.TCurT = 0;
    ps.TBest.fill(kNoBestTime);

    // 12.
    ShowResults();
    ps.Correct_S = -1;
    ps.Pause = true;

    // 13. Round clock colours: bar on its background.
    pb_Note->setStyleSheet(QStringLiteral("QProgressBar { background-color: #DCA6C8; border: none; }"
                                          "QProgressBar::chunk { background-color: #C66495; }"));

    // 14.
    enableHints();
    setHintHidePause(5000);

    // 15. Shelf cursors, hot spot at the top-left pixel.
    registerCursor(150, QCursor(QPixmap::fromImage(Artwork::cursorImage(QStringLiteral("c_Cancel"))), 0, 0));
    registerCursor(151, QCursor(QPixmap::fromImage(Artwork::cursorImage(QStringLiteral("c_Ok"))), 0, 0));
    registerCursor(152, QCursor(QPixmap::fromImage(Artwork::cursorImage(QStringLiteral("c_Select"))), 0, 0));

    // 16.
    const QString badgeHint = Artwork::badgeHint();
    control<ImageControl>(QStringLiteral("i_Projekt_0"))->setToolTip(badgeHint);
    control<ImageControl>(QStringLiteral("i_Projekt_1"))->setToolTip(badgeHint);

    // 17. The warm-up/play hint follows the play state on every event.
    qApp->installEventFilter(this);

    // 18. Sounds on: both sound buttons up.
    ps.B_Sound = true;
    tb_Sound_2->setChecked(!ps.B_Sound);
    tb_Sound_1->setChecked(!ps.B_Sound);

    // 19.
    _HelpClick();
}

int T_Form::startupStatus() const
{
    if (ps.Miss_Base)
        return ExitStatus::MissingContent;
    if (ps.Miss_Resolution)
        return ExitStatus::ScreenDensity;
    if (ps.Miss_LCD)
        return ExitStatus::ScreenTooSmall;
    return ExitStatus::Played;
}

void T_Form::FormActivate()
{
    if (ps.Miss_Base || ps.Miss_Resolution || ps.Miss_LCD)
        close();
}

void T_Form::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void T_Form::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Where no window manager ever activates the window, a refused start
    // must still end: look once more as soon as the window is up.
    QTimer::singleShot(0, this, [this] { FormActivate(); });
}

bool T_Form::eventFilter(QObject* watched, QEvent* event)
{
    UpdateWarmPlayHint();
    return QWidget::eventFilter(watched, event);
}
