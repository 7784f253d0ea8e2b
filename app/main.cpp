// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/action_guard.h"
#include "app/command_line.h"
#include "app/desktop_probe.h"
#include "app/display_scale.h"
#include "app/exit_status.h"
#include "app/high_contrast.h"
#include "app/splash.h"
#include "app/t_form.h"
#include "content/console.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

#include <cstdio>
#include <chrono>

namespace {

// The last net below the event loop: whatever a handler's own guard did not
// catch is shown in the error box instead of ending the program.
class GameApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override
    {
        bool result = false;
        guardedAction([&] { result = QApplication::notify(receiver, event); });
        return result;
    }
};

// The factor the window is drawn at: none asked for, 1 (the layout in
// real pixels, as the start-up checks require); else the one asked for,
// or for `auto` the desktop's own where the window fits.
double chosenFactor(const LaunchChoice& choice, int argc, char* argv[])
{
    if (choice.scalePercent > 0)
        return choice.scalePercent / 100.0;
    if (!choice.scaleAuto)
        return 1;
    const std::optional<DesktopProbe::Measure> measure = DesktopProbe::measure(argc, argv);
    if (!measure)
        return 1;
    return DisplayScale::automaticFactor(DisplayScale::desktopScale(measure->desktop), measure->available);
}

// Qt's high-DPI scaling told to draw the whole window at `factor` and at
// nothing else: the desktop's own factors are in it already, and fonts
// given in points are laid out at 96 ppi like every other size of the
// layout. Without a scale asked for, Qt's platform scaling stays off and
// every size is a real pixel.
void applyScale(bool scaleAsked, double factor)
{
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    if (!scaleAsked) {
        QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Floor);
        return;
    }
    qunsetenv("QT_SCREEN_SCALE_FACTORS");
    qunsetenv("QT_AUTO_SCREEN_SCALE_FACTOR");
    qputenv("QT_SCALE_FACTOR", QByteArray::number(factor));
    qputenv("QT_FONT_DPI", "96");
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
}

// After a refusal for the screen, the command that starts the game scaled
// to fit: the command as typed, with --skala auto for any scale it had.
QString scaledCommand(const QStringList& arguments)
{
    QStringList words;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--skala") || argument == QLatin1String("-skala")) {
            ++i;
            continue;
        }
        if (argument.startsWith(QLatin1String("--skala=")))
            continue;
        words << (argument.contains(QLatin1Char(' ')) ? QLatin1Char('"') + argument + QLatin1Char('"') : argument);
    }
    return words.join(QLatin1Char(' ')) + QStringLiteral(" --skala auto");
}

}  // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsSet(DesktopProbe::kVariable))
        return DesktopProbe::measureAndPrint(argc, argv);

    // The set to play, or a list or a refusal that needs no window.
    Console::useUtf8();
    const QStringList arguments = Console::arguments(argc, argv);
    const LaunchChoice choice = chooseLaunch(arguments);
    if (choice.action != LaunchChoice::Action::Play) {
        std::fputs(choice.text.toUtf8().constData(),
                   choice.action == LaunchChoice::Action::Print ? stdout : stderr);
        return choice.exitCode;
    }

    const bool scaleAsked = choice.scaleAuto || choice.scalePercent > 0;
    applyScale(scaleAsked, chosenFactor(choice, argc, argv));

    GameApplication app(argc, argv);

    // The framework's own buttons and messages in Polish ("Tak", "Nie").
    QTranslator frameworkTranslator;
    if (frameworkTranslator.load(QLocale(QLocale::Polish), QStringLiteral("qtbase"), QStringLiteral("_"),
                                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&frameworkTranslator);

    // No display name: Qt would append " — Trefolia" to every window title
    // not already ending with it, and each box must carry its own caption alone.
    QApplication::setApplicationName(QStringLiteral("Trefolia"));

    // Verdana and Courier New are not shipped: their nearest free kin.
    QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("DejaVu Sans Mono"));

    // The start-up checks and their boxes run while the window is made.
    StartupEnvironment environment = StartupEnvironment::fromSystem();
    environment.contentDir = choice.contentDir;
    // --kontrast for this run, else the pupil's last choice with the K key.
    environment.highContrast = choice.highContrast || HighContrastChoice::remembered();
    T_Form form(environment);
    _Form = &form;
    // Reproducible deals for the screen-reader check, which must know that
    // its walk over the shelves meets a mistake before the win.
    if (qEnvironmentVariableIsSet("TREFOLIA_SEED"))
        form.seedRandom(static_cast<std::uint32_t>(qEnvironmentVariableIntValue("TREFOLIA_SEED")));

    T_Ue splash;
    _Ue = &splash;
    // Only the main window's closing ends the program.
    splash.setAttribute(Qt::WA_QuitOnClose, false);
    splash.show();
    form.show();

    // Start-up timing (the benchmark): print the monotonic clock once the
    // shown window's first events are handled, then quit.
    if (qEnvironmentVariableIsSet("TREFOLIA_EXIT_WHEN_SHOWN"))
        QTimer::singleShot(0, &app, [] {
            const auto now = std::chrono::steady_clock::now().time_since_epoch();
            std::printf("shown-at-ns %lld\n",
                        static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
            std::fflush(stdout);
            QCoreApplication::exit(0);
        });

    const int result = app.exec();
    _Ue = nullptr;
    const int refusal = form.startupStatus();
    if (refusal == ExitStatus::ScreenDensity || refusal == ExitStatus::ScreenTooSmall) {
        if (!choice.scaleAuto) {
            const QString hint = QStringLiteral("trefolia: Aby gra dopasowała się do ekranu, uruchom ją poleceniem: %1\n")
                                     .arg(scaledCommand(arguments));
            std::fputs(hint.toLocal8Bit().constData(), stderr);
        }
    }
    return refusal != ExitStatus::Played ? refusal : result;
}
