// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup_messages.h"

#include "app/dialogs.h"

#include <QFileInfo>

namespace {

QString refusalCaption()
{
    return QStringLiteral("Program nie może być uruchomiony");
}

}  // namespace

bool ReportMissingFile(const QString& path)
{
    // A directory of the same name is no content file: the game could not read it.
    if (QFileInfo(path).isFile())
        return false;
    Dialogs::tell(QStringLiteral("Brak ") + path, refusalCaption());
    return true;
}

void ReportMissingDirectory(const QString& directory)
{
    Dialogs::tell(QStringLiteral("Brak ") + directory + QLatin1Char(' '), refusalCaption());
}

void ReportScreenDensity(int dpi)
{
    Dialogs::tell(QStringLiteral("Rozdzielczość monitora jest ustawiona niestandardowo na %1"
                                 " ppi - program nie może być uruchomiony")
                      .arg(dpi),
                  QStringLiteral("Rozdzielczość monitora w ppi"));
}

void ReportScreenTooSmall(int screenWidth, int screenHeight, int programWidth, int programHeight)
{
    Dialogs::tell(QStringLiteral("Wielkość monitora wynosi %1 x%2. Wielkość programu to %3 x %4."
                                 " Program nie mieści się na ekranie monitora i nie zostanie uruchomiony.")
                      .arg(screenWidth)
                      .arg(screenHeight)
                      .arg(programWidth)
                      .arg(programHeight),
                  QStringLiteral("Własności MONITORA"));
}
