// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/content_install.h"

#include "content/content_check.h"
#include "content/game_error.h"
#include "content/io_error.h"
#include "content/plural_word.h"
#include "content/set_folder.h"
#include "content/set_locations.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <unistd.h>

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

bool present(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
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

// `path` with every link of the part that exists resolved.
QString resolved(const QString& path)
{
    QString existing = QDir::cleanPath(QDir(path).absolutePath());
    QString rest;
    while (!QFileInfo::exists(existing) && existing != QLatin1String("/")) {
        rest = QLatin1Char('/') + QFileInfo(existing).fileName() + rest;
        existing = QFileInfo(existing).absolutePath();
    }
    const QString canonical = QFileInfo(existing).canonicalFilePath();
    return QDir::cleanPath((canonical.isEmpty() ? existing : canonical) + rest);
}

void refuseSystemOwned(const QString& path)
{
    if (isSystemOwned(path))
        throw GameError(QStringLiteral("Folder %1 należy do pakietu gry w systemie i zmienia go tylko instalator "
                                       "pakietów; nic nie zmieniono. Zainstaluj zestaw dla siebie: "
                                       "trefolia-content install --user <zestaw> (albo dla wszystkich kont: "
                                       "sudo trefolia-content install --system <zestaw>).")
                            .arg(shown(path)));
}

// The refusals that need nothing written: a folder that was not built, a
// set that fails its check.
void checkSource(const QString& contentDir)
{
    if (!QFileInfo(contentDir).isDir())
        throw GameError(QStringLiteral("Nie ma folderu %1; nic nie zmieniono").arg(shown(contentDir)));
    if (!SetLocations::holdsContent(contentDir) && SetFolder::isSetFolder(contentDir))
        throw GameError(QStringLiteral("%1 to folder zestawu, który nie został jeszcze zbudowany; nic nie zmieniono. "
                                       "Najpierw zbuduj go: trefolia-content build %1 <katalog wynikowy>, a potem "
                                       "zainstaluj katalog wynikowy.")
                            .arg(shown(contentDir)));
    const QStringList faults = ContentCheck::checkDirectory(contentDir);
    if (!faults.isEmpty())
        throw GameError(QStringLiteral("Zestaw nie przeszedł sprawdzenia; nic nie zmieniono:\n") +
                        faults.join(QLatin1Char('\n')));
}

void swapIn(const QString& contentDir, const QDir& parent, const QString& name, const CopyStep& copy)
{
    const QString base = parent.filePath(name);
    const QString previous = parent.filePath(name + backupSuffix);
    const QString incoming = parent.filePath(name + QStringLiteral(".nowy"));
    const QString outgoing = parent.filePath(name + QStringLiteral(".usuwany"));
    // Leftovers of an install that was cut off hold nothing that is kept.
    removeSet(incoming);
    removeSet(outgoing);

    errno = 0;
    if (!QDir().mkdir(incoming))
        throw GameError(QStringLiteral("Nie można utworzyć katalogu %1: %2; nic nie zmieniono.")
                            .arg(shown(incoming), IoError::systemReason(errno != 0 ? errno : EACCES)));
    const QDir source(contentDir);
    QStringList files = ContentCheck::contentFiles();
    for (const QString& optional : ContentCheck::optionalFiles())
        if (QFileInfo(source.filePath(optional)).isFile())
            files << optional;
    for (const QString& file : files) {
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

    // The swap: the oldest set steps aside, the set of this name becomes the
    // previous one, the copy takes its name. Each step is a rename; a failed
    // one is undone.
    const bool hadBase = QFileInfo(base).isDir();
    // Without a set to take its place, the previous set stays where it is.
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

// Refuses, before anything is made, a data directory this account cannot
// write: the nearest folder of its path that exists must be writable.
void checkWritable(const QString& folder, bool forEveryAccount)
{
    QString existing = QDir::cleanPath(QDir(folder).absolutePath());
    while (!QFileInfo::exists(existing)) {
        const QString parent = QFileInfo(existing).absolutePath();
        if (parent == existing)  // the root ("/", or a drive on Windows)
            break;
        existing = parent;
    }
#ifdef Q_OS_WIN
    if (::_waccess(reinterpret_cast<const wchar_t*>(existing.utf16()), W_OK) == 0)
        return;
#else
    if (::access(QFile::encodeName(existing).constData(), W_OK) == 0)
        return;
#endif
    const int reason = errno;
    if (forEveryAccount && (reason == EACCES || reason == EPERM))
        throw GameError(QStringLiteral("Instalacja dla wszystkich kont wymaga uprawnień administratora (sudo): "
                                       "uruchom polecenie jeszcze raz jako sudo trefolia-content install --system …, "
                                       "albo zainstaluj zestaw tylko dla siebie (--user). Nic nie zmieniono."));
    throw GameError(QStringLiteral("Nie można zapisać w folderze %1: %2. Nic nie zmieniono.")
                        .arg(shown(existing), IoError::systemReason(reason)));
}

Installed withMenuEntry(const QString& dataDir, const QString& name, const QString& folder, bool keptPrevious)
{
    const QString applications = QDir(dataDir).filePath(QStringLiteral("applications"));
    const QString entry = applications + QStringLiteral("/trefolia-") + name + QStringLiteral(".desktop");
    if (!QDir().mkpath(applications))
        throw GameError(QStringLiteral("Zestaw zainstalowano w %1, ale nie można utworzyć folderu %2 na jego "
                                       "pozycję w menu: %3.")
                            .arg(shown(folder), shown(applications), IoError::systemReason(errno)));
    QFile file(entry);
    errno = 0;
    const QByteArray text = menuEntry(name, PluralWord::read(folder), gameProgram()).toUtf8();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size() || !file.flush())
        throw GameError(QStringLiteral("Zestaw zainstalowano w %1, ale nie można zapisać jego pozycji w menu %2: %3.")
                            .arg(shown(folder), shown(entry), IoError::systemReason(errno != 0 ? errno : EIO)));
    return {folder, entry, keptPrevious};
}

void checkName(const QString& name)
{
    if (!SetLocations::isValidSetName(name))
        throw GameError(QStringLiteral("„%1” nie może być nazwą zestawu: nazwa to jedno słowo z liter, cyfr, "
                                       "znaków - i _ (najwyżej 64 znaki). Podaj inną: --name NAZWA.")
                            .arg(name));
}

void makeFolderAndSwapIn(const QString& contentDir, const QString& parent, const QString& name, const CopyStep& copy);

// A set for every account is readable by every account, whatever the
// umask of the administrator who installed it: the folders the install
// made on the way, the set's folder and files, and its menu entry.
Installed openToEveryAccount(const Installed& installed, const QString& dataDir)
{
    const QFile::Permissions file = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
    const QFile::Permissions folder = file | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    QStringList folders{installed.folder};
    for (QString up = QFileInfo(installed.folder).absolutePath(); up.startsWith(QDir(dataDir).absolutePath() + u'/');
         up = QFileInfo(up).absolutePath())
        folders << up;
    folders << QFileInfo(installed.menuEntry).absolutePath();
    bool opened = true;
    for (const QString& path : folders)
        opened = QFile::setPermissions(path, folder) && opened;
    QDirIterator files(installed.folder, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        opened = QFile::setPermissions(path, files.fileInfo().isDir() ? folder : file) && opened;
    }
    opened = QFile::setPermissions(installed.menuEntry, file) && opened;
    if (!opened)
        throw GameError(QStringLiteral("Zestaw zainstalowano w %1, ale nie można go udostępnić wszystkim kontom "
                                       "(prawa odczytu). Uruchom polecenie jeszcze raz jako sudo trefolia-content "
                                       "install --system ….")
                            .arg(shown(installed.folder)));
    return installed;
}

}  // namespace

bool copyFile(const QString& from, const QString& to)
{
    return QFile::copy(from, to);
}

bool isSystemOwned(const QString& path)
{
    static const QStringList owned = {
        QStringLiteral("/usr/bin"), QStringLiteral("/usr/sbin"), QStringLiteral("/usr/games"),
        QStringLiteral("/usr/lib"), QStringLiteral("/usr/lib32"), QStringLiteral("/usr/lib64"),
        QStringLiteral("/usr/libx32"), QStringLiteral("/usr/libexec"), QStringLiteral("/usr/share"),
        QStringLiteral("/usr/include"), QStringLiteral("/bin"), QStringLiteral("/sbin"), QStringLiteral("/lib")};
    const QString real = resolved(path);
    for (const QString& folder : owned)
        if (real == folder || real.startsWith(folder + QLatin1Char('/')))
            return true;
    return false;
}

void install(const QString& contentDir, const QString& gameFolder, const CopyStep& copy)
{
    const QDir game(gameFolder);
    refuseSystemOwned(game.absolutePath());
    if (!holdsGame(game))
        throw GameError(QStringLiteral("W folderze %1 nie ma programu gry (trefolia); nic nie zmieniono")
                            .arg(shown(game.absolutePath())));
    checkSource(contentDir);
    swapIn(contentDir, game, QStringLiteral("Base"), copy);
}

void installAs(const QString& contentDir, const QString& parent, const QString& name, const CopyStep& copy)
{
    checkName(name);
    refuseSystemOwned(parent);
    checkSource(contentDir);
    makeFolderAndSwapIn(contentDir, parent, name, copy);
}

namespace {
void makeFolderAndSwapIn(const QString& contentDir, const QString& parent, const QString& name, const CopyStep& copy)
{
    errno = 0;
    if (!QDir().mkpath(parent))
        throw GameError(QStringLiteral("Nie można utworzyć folderu %1: %2; nic nie zmieniono.")
                            .arg(shown(parent), IoError::systemReason(errno != 0 ? errno : EACCES)));
    swapIn(contentDir, QDir(parent), name, copy);
}
}  // namespace

void restoreAs(const QString& parent, const QString& name)
{
    checkName(name);
    refuseSystemOwned(parent);
    const QDir dir(parent);
    const QString current = dir.filePath(name), previous = dir.filePath(name + backupSuffix);
    const QString swapping = dir.filePath(name + QStringLiteral(".zamiana"));
    if (!QFileInfo(previous).isDir())
        throw GameError(QStringLiteral("Zestaw „%1” nie ma poprzedniej wersji (%2); nic nie zmieniono.")
                            .arg(name, shown(previous)));
    removeSet(swapping);
    const bool hadCurrent = present(current);
    if (hadCurrent && !QDir().rename(current, swapping))
        throw GameError(QStringLiteral("Nie można przenieść katalogu %1; nic nie zmieniono").arg(shown(current)));
    if (!QDir().rename(previous, current)) {
        if (hadCurrent)
            QDir().rename(swapping, current);
        throw GameError(QStringLiteral("Nie można przenieść katalogu %1; nic nie zmieniono").arg(shown(previous)));
    }
    if (hadCurrent && !QDir().rename(swapping, previous)) {
        QDir().rename(current, previous);
        QDir().rename(swapping, current);
        throw GameError(QStringLiteral("Nie można przenieść katalogu %1; nic nie zmieniono").arg(shown(swapping)));
    }
}

Installed installSet(const QString& contentDir, const QString& dataDir, const QString& name, bool forEveryAccount,
                     const CopyStep& copy)
{
    const QString root = QDir(dataDir).filePath(SetLocations::setsSubfolder);
    checkName(name);
    refuseSystemOwned(root);
    checkSource(contentDir);
    checkWritable(root, forEveryAccount);
    const bool keeps = QFileInfo(QDir(root).filePath(name)).isDir();
    makeFolderAndSwapIn(contentDir, root, name, copy);
    const Installed installed = withMenuEntry(dataDir, name, QDir(root).filePath(name), keeps);
    return forEveryAccount ? openToEveryAccount(installed, dataDir) : installed;
}

Installed restoreSet(const QString& dataDir, const QString& name, bool forEveryAccount)
{
    const QString root = QDir(dataDir).filePath(SetLocations::setsSubfolder);
    checkName(name);
    refuseSystemOwned(root);
    checkWritable(root, forEveryAccount);
    restoreAs(root, name);
    const Installed installed = withMenuEntry(dataDir, name, QDir(root).filePath(name), true);
    return forEveryAccount ? openToEveryAccount(installed, dataDir) : installed;
}

QString menuEntry(const QString& name, const QString& pluralWord, const QString& program)
{
    // A backslash is the one character a desktop entry's value escapes.
    const QString title = QString(pluralWord.isEmpty() ? name : pluralWord).replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Trefolia — %1\n"
                          "Comment=Łamigłówka logiczna z zestawem „%2”\n"
                          "Exec=%3 --skala auto --set %2\n"
                          "Icon=trefolia\n"
                          "Terminal=false\n"
                          "Categories=Education;Game;LogicGame;\n")
        .arg(title, name, program);
}

QString gameProgram()
{
    const QString packaged = QStringLiteral("/usr/games/trefolia");
    if (QFileInfo(packaged).isExecutable())
        return packaged;
    return QStringLiteral("trefolia");
}

}  // namespace ContentInstall
