// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/io_error.h"

#include <QDir>
#include <QFileDevice>
#include <QFileInfo>

#include <cerrno>

namespace IoError {

QString text(int code)
{
    switch (code) {
    case FileNotFound: return QStringLiteral("Nieznaleziono pliku");
    case InvalidFileName: return QStringLiteral("Nieprawidłowa nazwa pliku");
    case TooManyOpenFiles: return QStringLiteral("Zbyt dużo otwartych plików");
    case AccessDenied: return QStringLiteral("Odmówiono dostępu do pliku");
    case ReadBeyondEnd: return QStringLiteral("Czytanie za końcem pliku");
    default: return QStringLiteral("I/O błąd %1").arg(code);
    }
}

int classifyOpenFailure(const OpenFacts& facts)
{
    if (facts.pathTooLong)
        return InvalidFileName;
    switch (facts.systemError) {
    case EMFILE:
    case ENFILE:
        return TooManyOpenFiles;
    case ENAMETOOLONG:
        return InvalidFileName;
    default:
        break;
    }
    // Windows reports a missing folder as "path not found" (3) and a missing
    // file as "file not found" (2); opening a folder is "access denied".
    if (!facts.parentExists)
        return InvalidFileName;
    if (!facts.exists)
        return FileNotFound;
    if (facts.isDirectory || !facts.readable || facts.systemError == EACCES
        || facts.systemError == EPERM)
        return AccessDenied;
    return facts.systemError > 0 ? facts.systemError : ReadFault;
}

int classifyOpenFailure(const QString& path, int systemError)
{
    const QFileInfo info(path);
    OpenFacts facts;
    facts.systemError = systemError;
    facts.pathTooLong = QDir::toNativeSeparators(path).size() > maxPathLength;
    facts.parentExists = info.dir().exists();
    facts.exists = info.exists();
    facts.isDirectory = info.isDir();
    facts.readable = info.isReadable();
    return classifyOpenFailure(facts);
}

QString systemText(int code, const QFileDevice& file)
{
    // The texts a Polish Windows gives for these reasons; for anything else
    // the platform's own description.
    switch (code) {
    case FileNotFound: return QStringLiteral("Nie można odnaleźć określonego pliku.");
    case InvalidFileName: return QStringLiteral("Nie można odnaleźć określonej ścieżki.");
    case TooManyOpenFiles: return QStringLiteral("System nie może otworzyć pliku.");
    case AccessDenied: return QStringLiteral("Odmowa dostępu.");
    default: {
        QString reason = file.errorString();
        if (!reason.endsWith(QLatin1Char('.')))
            reason += QLatin1Char('.');
        return reason;
    }
    }
}

QString systemReason(int systemError)
{
    switch (systemError) {
    case ENOENT: return QStringLiteral("nie ma takiego pliku ani folderu");
    case EACCES:
    case EPERM: return QStringLiteral("brak uprawnień");
    case EROFS: return QStringLiteral("dysk jest tylko do odczytu");
    case ENOSPC:
#ifdef EDQUOT  // not on Windows
    case EDQUOT:
#endif
        return QStringLiteral("brak miejsca na dysku");
    case EISDIR: return QStringLiteral("to jest folder, a nie plik");
    case ENOTDIR: return QStringLiteral("część ścieżki nie jest folderem");
    case EEXIST: return QStringLiteral("taki plik albo folder już istnieje");
    case ENOTEMPTY: return QStringLiteral("folder nie jest pusty");
    case ENAMETOOLONG: return QStringLiteral("za długa nazwa pliku");
    case EMFILE:
    case ENFILE: return QStringLiteral("za dużo otwartych plików");
    case EXDEV: return QStringLiteral("plik jest na innym dysku");
    case EIO: return QStringLiteral("błąd odczytu albo zapisu dysku");
    case EBUSY: return QStringLiteral("plik albo folder jest w użyciu");
    case ELOOP: return QStringLiteral("za dużo dowiązań w ścieżce");
    default: return QStringLiteral("błąd systemu plików nr %1").arg(systemError);
    }
}

void raise(int code)
{
    throw GameError(text(code));
}

}  // namespace IoError
