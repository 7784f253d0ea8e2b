// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/set_archive.h"

#include "content/content_check.h"
#include "content/game_error.h"
#include "content/io_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <QTemporaryDir>

#include <archive.h>
#include <archive_entry.h>

#include <cerrno>
#include <memory>

namespace SetArchive {

namespace {

struct ReaderDeleter {
    void operator()(archive* a) const { archive_read_free(a); }
};
struct WriterDeleter {
    void operator()(archive* a) const { archive_write_free(a); }
};
struct EntryDeleter {
    void operator()(archive_entry* e) const { archive_entry_free(e); }
};

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QStringList knownFiles()
{
    return ContentCheck::contentFiles() + ContentCheck::optionalFiles();
}

[[noreturn]] void refuse(const QString& path, const QString& why)
{
    throw GameError(QStringLiteral("Plik zestawu %1 %2; nic nie zapisano.").arg(shown(path), why));
}

// Why the member `name` may not be unpacked, or empty when it may.
QString problemOf(const QString& name)
{
    if (name.isEmpty())
        return QStringLiteral("zawiera plik bez nazwy");
    if (name.startsWith(QLatin1Char('/')) || name.startsWith(QLatin1Char('\\')) ||
        (name.size() >= 2 && name.at(1) == QLatin1Char(':')))
        return QStringLiteral("zawiera „%1”, ścieżkę od korzenia dysku, która prowadzi poza zestaw").arg(name);
    const QStringList parts = QString(name).replace(QLatin1Char('\\'), QLatin1Char('/')).split(QLatin1Char('/'));
    if (parts.contains(QStringLiteral("..")))
        return QStringLiteral("zawiera „%1”, ścieżkę z „..”, która prowadzi poza zestaw").arg(name);
    if (parts.size() > 1)
        return QStringLiteral("zawiera „%1” w folderze, a pliki zestawu leżą bez folderów").arg(name);
    if (!knownFiles().contains(name))
        return QStringLiteral("zawiera „%1”, którego nie ma w żadnym zestawie (zestaw ma tylko pliki %2)")
            .arg(name, knownFiles().join(QStringLiteral(", ")));
    return {};
}

la_ssize_t appendTo(archive*, void* zip, const void* bytes, size_t length)
{
    static_cast<QByteArray*>(zip)->append(static_cast<const char*>(bytes), qsizetype(length));
    return la_ssize_t(length);
}

QString memberName(archive_entry* entry)
{
    if (const char* utf8 = archive_entry_pathname_utf8(entry))
        return QString::fromUtf8(utf8);
    if (const char* local = archive_entry_pathname(entry))
        return QString::fromLocal8Bit(local);
    return {};
}

}  // namespace

bool isSetFile(const QString& path)
{
    return path.endsWith(suffix, Qt::CaseInsensitive);
}

void write(const QString& contentDir, const QString& path)
{
    const QStringList faults = ContentCheck::checkDirectory(contentDir);
    if (!faults.isEmpty())
        throw GameError(QStringLiteral("Zestaw %1 nie przeszedł sprawdzenia; nic nie zapisano:\n%2")
                            .arg(shown(contentDir), faults.join(QLatin1Char('\n'))));
    const QDir source(contentDir);
    QStringList files = ContentCheck::contentFiles();
    for (const QString& optional : ContentCheck::optionalFiles())
        if (QFileInfo(source.filePath(optional)).isFile())
            files << optional;

    // Written beside the target and renamed over it when whole.
    QSaveFile target(path);
    errno = 0;
    if (!target.open(QIODevice::WriteOnly))
        throw GameError(QStringLiteral("Nie można zapisać pliku %1: %2.")
                            .arg(shown(path), IoError::systemReason(errno != 0 ? errno : EACCES)));
    QByteArray zip;
    {
        std::unique_ptr<archive, WriterDeleter> writer(archive_write_new());
        // Sets are a few megabytes; the whole file is made in memory.
        if (!writer || archive_write_set_format_zip(writer.get()) != ARCHIVE_OK ||
            archive_write_set_options(writer.get(), "zip:compression=deflate") != ARCHIVE_OK ||
            archive_write_set_bytes_in_last_block(writer.get(), 1) != ARCHIVE_OK ||
            archive_write_open(writer.get(), &zip, nullptr, appendTo, nullptr) != ARCHIVE_OK)
            throw GameError(QStringLiteral("Nie można utworzyć pliku zestawu %1").arg(shown(path)));
        for (const QString& file : files) {
            QFile member(source.filePath(file));
            errno = 0;
            if (!member.open(QIODevice::ReadOnly))
                throw GameError(QStringLiteral("Nie można odczytać pliku %1: %2; nic nie zapisano.")
                                    .arg(shown(member.fileName()), IoError::systemReason(errno != 0 ? errno : EIO)));
            const QByteArray bytes = member.readAll();
            std::unique_ptr<archive_entry, EntryDeleter> entry(archive_entry_new());
            archive_entry_set_pathname_utf8(entry.get(), file.toUtf8().constData());
            archive_entry_set_filetype(entry.get(), AE_IFREG);
            archive_entry_set_perm(entry.get(), 0644);
            archive_entry_set_size(entry.get(), bytes.size());
            archive_entry_set_mtime(entry.get(), QFileInfo(member).lastModified().toSecsSinceEpoch(), 0);
            if (archive_write_header(writer.get(), entry.get()) != ARCHIVE_OK ||
                archive_write_data(writer.get(), bytes.constData(), size_t(bytes.size())) != bytes.size())
                throw GameError(QStringLiteral("Zestaw %1 jest za duży, by zapisać go w jednym pliku; nic nie "
                                               "zapisano.").arg(shown(contentDir)));
        }
        if (archive_write_close(writer.get()) != ARCHIVE_OK)
            throw GameError(QStringLiteral("Zestaw %1 jest za duży, by zapisać go w jednym pliku; nic nie zapisano.")
                                .arg(shown(contentDir)));
    }
    errno = 0;
    if (target.write(zip) != zip.size() || !target.commit())
        throw GameError(QStringLiteral("Nie można zapisać pliku %1: %2.")
                            .arg(shown(path), IoError::systemReason(errno != 0 ? errno : EIO)));
}

void extract(const QString& path, const QString& into)
{
    if (!QFileInfo(path).isFile())
        throw GameError(QStringLiteral("Nie ma pliku %1").arg(shown(path)));
    std::unique_ptr<archive, ReaderDeleter> reader(archive_read_new());
    // Only ZIP is read: every other format the library knows stays shut.
    if (!reader || archive_read_support_format_zip(reader.get()) != ARCHIVE_OK ||
#ifdef Q_OS_WIN
        // The narrow name would be read in the ANSI code page.
        archive_read_open_filename_w(reader.get(), reinterpret_cast<const wchar_t*>(path.utf16()), 64 * 1024) !=
            ARCHIVE_OK)
#else
        archive_read_open_filename(reader.get(), QFile::encodeName(path).constData(), 64 * 1024) != ARCHIVE_OK)
#endif
        refuse(path, QStringLiteral("nie jest plikiem .zestaw albo jest uszkodzony"));

    // Each member is unpacked into the folder as it comes, and the folder is
    // emptied again when any member is refused.
    const QDir out(into);
    const auto emptied = [&] {
        for (const QString& file : out.entryList(QDir::Files | QDir::Hidden | QDir::System))
            QFile::remove(out.filePath(file));
    };
    try {
        QSet<QString> seen;
        qint64 total = 0;
        archive_entry* entry = nullptr;
        for (;;) {
            const int status = archive_read_next_header(reader.get(), &entry);
            if (status == ARCHIVE_EOF)
                break;
            if (status != ARCHIVE_OK)
                refuse(path, QStringLiteral("jest uszkodzony (nie da się go odczytać do końca)"));
            const QString name = memberName(entry);
            if (archive_entry_hardlink(entry) || archive_entry_symlink(entry) ||
                archive_entry_filetype(entry) == AE_IFLNK)
                refuse(path, QStringLiteral("zawiera dowiązanie „%1” zamiast zwykłego pliku").arg(name));
            if (archive_entry_filetype(entry) == AE_IFDIR)
                refuse(path, QStringLiteral("zawiera folder „%1”, a pliki zestawu leżą bez folderów").arg(name));
            if (archive_entry_filetype(entry) != AE_IFREG)
                refuse(path, QStringLiteral("zawiera „%1”, który nie jest zwykłym plikiem").arg(name));
            const QString problem = problemOf(name);
            if (!problem.isEmpty())
                refuse(path, problem);
            if (seen.contains(name))
                refuse(path, QStringLiteral("zawiera plik „%1” dwa razy").arg(name));
            seen.insert(name);
            if (archive_entry_size_is_set(entry) && archive_entry_size(entry) > maxMemberSize)
                refuse(path, QStringLiteral("zawiera „%1” większy niż %2 MB").arg(name).arg(maxMemberSize >> 20));

            QFile file(out.filePath(name));
            errno = 0;
            if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
                throw GameError(QStringLiteral("Nie można rozpakować pliku zestawu %1 do %2: %3; nic nie zapisano.")
                                    .arg(shown(path), shown(into), IoError::systemReason(errno != 0 ? errno : EIO)));
            // The sizes the member claims are not trusted: what comes out counts.
            qint64 size = 0;
            char block[64 * 1024];
            for (;;) {
                const la_ssize_t got = archive_read_data(reader.get(), block, sizeof block);
                if (got == 0)
                    break;
                if (got < 0)
                    refuse(path, QStringLiteral("jest uszkodzony (nie da się odczytać pliku „%1”)").arg(name));
                size += got;
                total += got;
                if (size > maxMemberSize)
                    refuse(path, QStringLiteral("zawiera „%1” większy niż %2 MB").arg(name).arg(maxMemberSize >> 20));
                if (total > maxTotalSize)
                    refuse(path, QStringLiteral("rozpakowany zająłby ponad %1 MB").arg(maxTotalSize >> 20));
                if (file.write(block, got) != got)
                    throw GameError(QStringLiteral("Nie można rozpakować pliku zestawu %1 do %2: %3; nic nie "
                                                   "zapisano.")
                                        .arg(shown(path), shown(into), IoError::systemReason(errno != 0 ? errno : EIO)));
            }
        }
        if (seen.isEmpty())
            refuse(path, QStringLiteral("jest pusty"));
    } catch (...) {
        emptied();
        throw;
    }
}

OpenedSet::OpenedSet(const QString& source)
{
    const QFileInfo info(source);
    if (!isSetFile(source) || info.isDir()) {
        m_dir = source;
        m_name = QDir(QDir::cleanPath(info.absoluteFilePath())).dirName();
        return;
    }
    m_name = info.fileName().chopped(suffix.size());
    m_scratch = std::make_unique<QTemporaryDir>();
    if (!m_scratch->isValid())
        throw GameError(QStringLiteral("Nie można utworzyć katalogu roboczego: %1.").arg(IoError::systemReason(errno)));
    extract(source, m_scratch->path());
    m_dir = m_scratch->path();
}

OpenedSet::~OpenedSet() = default;

}  // namespace SetArchive
