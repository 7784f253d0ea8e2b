// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/set_folder.h"

#include "content/content_build.h"
#include "content/game_error.h"
#include "content/item_list.h"
#include "content/picture_fit.h"
#include "content/sound_cues.h"
#include "content/wav_writer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace SetFolder {

namespace {

QByteArray readBytes(const QString& path, qint64 limit)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw GameError(QStringLiteral("Nie można otworzyć pliku \"%1\". %2").arg(path, file.errorString()));
    if (file.size() > limit)
        throw GameError(QStringLiteral("Plik \"%1\" jest za duży").arg(path));
    return file.readAll();
}

QString readText(const QDir& folder, const char* name)
{
    return QString::fromUtf8(readBytes(folder.filePath(QString::fromLatin1(name)), ItemList::maxFileSize));
}

QImage pictureOf(const ContentBuild::PictureSource& source, const QDir& folder)
{
    try {
        if (source.file.isEmpty())
            return ContentBuild::renderPicture(source.emoji);
        return PictureFit::fittedFile(folder.filePath(source.file), ContentBuild::pictureSide,
                                      ContentBuild::pictureGround);
    } catch (const GameError& error) {
        throw GameError(QStringLiteral("pictures.txt, wiersz %1: %2").arg(source.line).arg(error.message()));
    }
}

// A cue of the folder must be a WAV the game can play; without one, the
// game's own cue is made.
QByteArray cueOf(const QDir& folder, int cue)
{
    const QString name = QString::fromLatin1(cueSources[size_t(cue)]);
    if (!QFileInfo(folder.filePath(name)).isFile())
        return Wav::pcm16Mono(SoundCues::synthesize(cue), SoundCues::sampleRate);
    const QByteArray bytes = readBytes(folder.filePath(name), 64 * 1024 * 1024);
    const Wav::Info info = Wav::inspect(bytes);
    if (!info.valid)
        throw GameError(QStringLiteral("%1: %2").arg(name, info.problem));
    return bytes;
}

}  // namespace

bool isSetFolder(const QString& folder)
{
    return QFileInfo(QDir(folder).filePath(QStringLiteral("pictures.txt"))).isFile();
}

Contents read(const QString& folder)
{
    const QDir dir(folder);
    if (!dir.exists())
        throw GameError(QStringLiteral("Brak katalogu %1").arg(QDir::toNativeSeparators(folder)));
    Contents contents;
    for (const ContentBuild::PictureSource& source :
         ContentBuild::parsePictures(readText(dir, "pictures.txt"), QStringLiteral("pictures.txt")))
        contents.pictures.append({ContentBuild::rgbPng(pictureOf(source, dir)), source.name});
    for (size_t list = 0; list < listSources.size(); ++list) {
        const QString sourceName = QString::fromLatin1(listSources[list]);
        for (const ContentBuild::ListSource& item :
             ContentBuild::parseList(readText(dir, listSources[list]), sourceName,
                                     list == 0 ? ContentBuild::ListForms::Optional : ContentBuild::ListForms::Required))
            contents.lists[list].append(formatItemLine(item.pictureNumber, item.forms));
    }
    for (int cue = 0; cue < int(cueSources.size()); ++cue)
        contents.cues[size_t(cue)] = cueOf(dir, cue);
    return contents;
}

}  // namespace SetFolder
