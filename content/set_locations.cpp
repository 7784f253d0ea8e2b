// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/set_locations.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QStandardPaths>

namespace SetLocations {

namespace {

QString under(const QString& dataDir) { return QDir(dataDir).absoluteFilePath(setsSubfolder); }

}  // namespace

QStringList setRoots()
{
    // Qt follows the XDG lookup: $XDG_DATA_HOME first, then $XDG_DATA_DIRS.
    QStringList roots;
    for (const QString& dataDir : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        const QString root = under(dataDir);
        if (!roots.contains(root))
            roots << root;
    }
    return roots;
}

QString userDataDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

QString systemDataDir()
{
#ifdef Q_OS_WIN
    // Qt's data directories on Windows are %LOCALAPPDATA%, %ProgramData%, the
    // program's folder and its data/ (in that order): every account's is the second.
    return QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation).value(1);
#else
    return QStringLiteral("/usr/local/share");
#endif
}

QString userRoot() { return under(userDataDir()); }

QString systemRoot() { return under(systemDataDir()); }

bool isValidSetName(const QString& name)
{
    static const QRegularExpression pattern(QStringLiteral("^[\\p{L}\\p{N}_-]{1,64}$"));
    return pattern.match(name).hasMatch();
}

bool holdsContent(const QString& folder) { return QFileInfo(QDir(folder).filePath(QStringLiteral("E.bt"))).isFile(); }

QList<InstalledSet> installedSets()
{
    QMap<QString, QString> byName;
    for (const QString& root : setRoots()) {
        const QDir dir(root);
        for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
            const QString folder = dir.absoluteFilePath(name);
            if (isValidSetName(name) && !byName.contains(name) && holdsContent(folder))
                byName.insert(name, folder);
        }
    }
    QList<InstalledSet> sets;
    for (auto it = byName.cbegin(); it != byName.cend(); ++it)
        sets.append({it.key(), it.value()});
    return sets;
}

QString findSet(const QString& name)
{
    if (!isValidSetName(name))
        return {};
    for (const InstalledSet& set : installedSets())
        if (set.name == name)
            return set.folder;
    return {};
}

}  // namespace SetLocations
