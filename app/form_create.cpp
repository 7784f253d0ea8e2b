#include "app/t_form.h"

#include <QGuiApplication>
#include <QScreen>

// Interim: the window's creation and start-up checks are being written.

QPointer<T_Form> _Form;

StartupEnvironment StartupEnvironment::fromSystem()
{
    StartupEnvironment env;
    env.programDir = QCoreApplication::applicationDirPath();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        env.screenDpi = qRound(screen->logicalDotsPerInch());
        env.screenSize = screen->size();
    }
    return env;
}

T_Form::T_Form(const StartupEnvironment& env, QWidget* parent) : QWidget(parent), environment(env)
{
    buildLayout();
    connectHandlers();
    FormCreate();
}

T_Form::~T_Form() = default;

int T_Form::random(int n)
{
    return std::uniform_int_distribution<int>(0, n - 1)(rng);
}

const QStringList& T_Form::itemLines() const
{
    static const QStringList none;
    return lb_Base ? lb_Base->lines() : none;
}

void T_Form::FormCreate() {}
void T_Form::FormActivate() {}
void T_Form::changeEvent(QEvent* event) { QWidget::changeEvent(event); }
bool T_Form::eventFilter(QObject* watched, QEvent* event) { return QWidget::eventFilter(watched, event); }
