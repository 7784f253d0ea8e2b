// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/desktop_probe.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>

#include <cstdio>

namespace DesktopProbe {

namespace {

constexpr int kWaitMs = 30000;

}  // namespace

QByteArray format(const Measure& measure)
{
    return QByteArray::number(measure.desktop.logicalDpi) + ' ' + QByteArray::number(measure.desktop.devicePixelRatio) +
           ' ' + QByteArray::number(measure.desktop.globalFactor) + ' ' +
           QByteArray::number(measure.available.width()) + ' ' + QByteArray::number(measure.available.height()) + '\n';
}

std::optional<Measure> parse(const QByteArray& line)
{
    const QList<QByteArray> fields = line.trimmed().split(' ');
    if (fields.size() != 5)
        return std::nullopt;
    bool ok[5] = {};
    Measure measure;
    measure.desktop.logicalDpi = fields[0].toDouble(&ok[0]);
    measure.desktop.devicePixelRatio = fields[1].toDouble(&ok[1]);
    measure.desktop.globalFactor = fields[2].toDouble(&ok[2]);
    measure.available = QSize(fields[3].toInt(&ok[3]), fields[4].toInt(&ok[4]));
    for (bool field : ok)
        if (!field)
            return std::nullopt;
    if (measure.desktop.logicalDpi <= 0 || measure.desktop.devicePixelRatio <= 0 || measure.desktop.globalFactor <= 0)
        return std::nullopt;
    return measure;
}

int measureAndPrint(int argc, char* argv[])
{
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QGuiApplication app(argc, argv);
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return 1;
    Measure measure;
    measure.desktop = {screen->logicalDotsPerInch(), screen->devicePixelRatio(),
                       DisplayScale::globalFactorFromEnvironment()};
    measure.available = DisplayScale::scaled(screen->availableGeometry().size(), screen->devicePixelRatio());
    std::fputs(format(measure).constData(), stdout);
    return 0;
}

std::optional<Measure> measure(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QProcess copy;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kVariable), QStringLiteral("1"));
    copy.setProcessEnvironment(environment);
    // Qt's own options (-platform, -display) apply to the copy too.
    copy.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    copy.start(QCoreApplication::applicationFilePath(), QCoreApplication::arguments().mid(1));
    if (!copy.waitForFinished(kWaitMs) || copy.exitStatus() != QProcess::NormalExit || copy.exitCode() != 0) {
        copy.kill();
        return std::nullopt;
    }
    return parse(copy.readAllStandardOutput());
}

}  // namespace DesktopProbe
