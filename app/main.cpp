// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/action_guard.h"
#include "app/command_line.h"
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

}  // namespace

int main(int argc, char* argv[])
{
    // The set to play, or a list or a refusal that needs no window.
    Console::useUtf8();
    const LaunchChoice choice = chooseLaunch(Console::arguments(argc, argv));
    if (choice.action != LaunchChoice::Action::Play) {
        std::fputs(choice.text.toUtf8().constData(),
                   choice.action == LaunchChoice::Action::Print ? stdout : stderr);
        return choice.exitCode;
    }

    // The program runs at 96 pixels per inch only; every size is a real pixel.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Floor);

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
    return result;
}
