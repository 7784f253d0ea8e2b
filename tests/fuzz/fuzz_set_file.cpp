// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: unpacking a .zestaw file, input from anyone. Whatever the
// bytes, the file is refused with a message and nothing is left in the
// folder, or what is left is only files a set has, regular, within the size
// limits.
#include "content/content_check.h"
#include "content/game_error.h"
#include "content/set_archive.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return 0;
    const QString file = scratch.filePath(QStringLiteral("proba.zestaw"));
    const QString into = scratch.filePath(QStringLiteral("zestaw"));
    QDir().mkpath(into);
    {
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly))
            return 0;
        out.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    bool refused = false;
    try {
        SetArchive::extract(file, into);
    } catch (const GameError& error) {
        if (error.message().isEmpty())
            std::abort();
        refused = true;
    }
    const QStringList known = ContentCheck::contentFiles() + ContentCheck::optionalFiles();
    const QFileInfoList left = QDir(into).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    if (refused && !left.isEmpty())
        std::abort();
    qint64 total = 0;
    for (const QFileInfo& info : left) {
        if (!known.contains(info.fileName()) || !info.isFile() || info.isSymLink() ||
            info.size() > SetArchive::maxMemberSize)
            std::abort();
        total += info.size();
    }
    if (total > SetArchive::maxTotalSize)
        std::abort();
    // Nothing beside the folder but the file itself.
    if (QDir(scratch.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size() != 2)
        std::abort();
    return 0;
}
