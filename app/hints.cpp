// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/hints.h"

#include <QApplication>
#include <QHelpEvent>
#include <QPointer>
#include <QRect>
#include <QToolTip>
#include <QWidget>

namespace {

int g_hidePause = 5000;

// Takes over every tool-tip request so the hide pause and the line breaks
// are the game's, not the platform's defaults.
class HintFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::ToolTip)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget)
            return false;
        const QString hint = widget->toolTip();
        if (hint.isEmpty())
            return false;  // the widget's parents may have one
        const auto* help = static_cast<QHelpEvent*>(event);
        QToolTip::showText(help->globalPos(), hintDisplayText(hint), widget, QRect(), g_hidePause);
        return true;
    }
};

}  // namespace

void enableHints()
{
    static QPointer<HintFilter> filter;
    if (filter || !qApp)
        return;
    filter = new HintFilter(qApp);
    qApp->installEventFilter(filter);
}

void setHintHidePause(int ms)
{
    g_hidePause = ms;
}

int hintHidePause()
{
    return g_hidePause;
}

QString hintDisplayText(const QString& hint)
{
    QString text = hint;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}
