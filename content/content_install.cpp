// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/content_install.h"

#include "content/content_check.h"
#include "content/game_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ContentInstall {

namespace {

bool holdsGame(const QDir& folder)
{
    for (const QString& program : {QStringLiteral("trefolia"), QStringLiteral("trefolia.exe")}) {
        const QFileInfo file(folder.filePath(program));
        if (file.isFile() && file.isExecutable())
            return true;
    }
    return false;
}

// Removes a set that is no longer kept. A set reached through a link (the
// packaged game's Base/ is one) loses only the link: what it points at
// belongs to someone else.
void removeSet(const QString& path)
{
    if (QFileInfo(path).isSymLink())
        QFile::remove(path);
    else
        QDir(path).removeRecursively();
}

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

}  // namespace

bool copyFile(const QString& from, const QString& to)
{
    return QFile::copy(from, to);
}

void install(const QString& contentDir, const QString& gameFolder, const CopyStep& copy)
{
    const QDir game(gameFolder);
    if (!holdsGame(game))
        throw GameError(QStringLiteral("W folderze %1 nie ma programu gry (trefolia); nic nie zmieniono")
                            .arg(shown(game.absolutePath())));
    const QStringList faults = ContentCheck::checkDirectory(contentDir);
    if (!faults.isEmpty())
        throw GameError(QStringLiteral("Zestaw nie przeszedł sprawdzenia; nic nie zmieniono:\n") +
                        faults.join(QLatin1Char('\n')));

    const QString base = game.filePath(QStringLiteral("Base"));
    const QString previous = game.filePath(previousName);
    const QString incoming = game.filePath(QStringLiteral("Base.nowy"));
    const QString outgoing = game.filePath(QStringLiteral("Base.usuwany"));
    // Leftovers of an install that was cut off hold nothing that is kept.
    removeSet(incoming);
    removeSet(outgoing);

    if (!QDir().mkdir(incoming))
        throw GameError(QStringLiteral("Nie można utworzyć katalogu %1; nic nie zmieniono").arg(shown(incoming)));
    const QDir source(contentDir);
    for (const QString& file : ContentCheck::contentFiles()) {
        if (!copy(source.filePath(file), incoming + QLatin1Char('/') + file)) {
            removeSet(incoming);
            throw GameError(QStringLiteral("Nie można skopiować pliku %1 do %2; nic nie zmieniono")
                                .arg(shown(source.filePath(file)), shown(incoming)));
        }
    }
    // The copy is checked too: what the game will read is what was checked.
    const QStringList copied = ContentCheck::checkDirectory(incoming);
    if (!copied.isEmpty()) {
        removeSet(incoming);
        throw GameError(QStringLiteral("Kopia zestawu jest niepełna; nic nie zmieniono:\n") +
                        copied.join(QLatin1Char('\n')));
    }

    // The swap: the oldest set steps aside, Base/ becomes the previous one,
    // the copy becomes Base/. Each step is a rename; a failed one is undone.
    const bool hadBase = QFileInfo(base).isDir();
    // Without a Base/ to take its place, the previous set stays where it is.
    const bool hadPrevious = hadBase && QFileInfo(previous).isDir();
    if (hadPrevious && !QDir().rename(previous, outgoing)) {
        removeSet(incoming);
        throw GameError(QStringLiteral("Nie można przenieść katalogu %1; nic nie zmieniono").arg(shown(previous)));
    }
    if (hadBase && !QDir().rename(base, previous)) {
        if (hadPrevious)
            QDir().rename(outgoing, previous);
        removeSet(incoming);
        throw GameError(QStringLiteral("Nie można przenieść katalogu %1; nic nie zmieniono").arg(shown(base)));
    }
    if (!QDir().rename(incoming, base)) {
        if (hadBase)
            QDir().rename(previous, base);
        if (hadPrevious)
            QDir().rename(outgoing, previous);
        removeSet(incoming);
        throw GameError(QStringLiteral("Nie można przenieść katalogu %1; nic nie zmieniono").arg(shown(incoming)));
    }
    removeSet(outgoing);
}

}  // namespace ContentInstall
