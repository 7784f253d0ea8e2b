// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/set_folder.h"

#include "content/content_build.h"
#include "content/content_check.h"
#include "content/game_error.h"
#include "content/io_error.h"
#include "content/item_list.h"
#include "content/picture_fit.h"
#include "content/plural_word.h"
#include "content/set_text.h"
#include "content/sound_cues.h"
#include "content/wav_writer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>

#include <cerrno>

namespace SetFolder {

namespace {

QByteArray readBytes(const QDir& folder, const QString& name, qint64 limit)
{
    QFile file(folder.filePath(name));
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        throw GameError(QStringLiteral("%1: nie można otworzyć pliku: %2.")
                            .arg(name, IoError::systemReason(errno != 0 ? errno : ENOENT)));
    if (file.size() > limit)
        throw GameError(QStringLiteral("%1: plik jest za duży (ponad %2 MB)").arg(name).arg(limit / (1024 * 1024)));
    return file.readAll();
}

QString readText(const QDir& folder, const QString& name, Contents& contents)
{
    SetText::Decoded decoded = SetText::decode(readBytes(folder, name, ItemList::maxFileSize), name);
    if (!decoded.warning.isEmpty())
        contents.warnings << decoded.warning;
    return decoded.text;
}

// A picture file smaller than the room it has on the largest tile is
// blown up there, and looks blurred.
QString smallPictureWarning(const ContentBuild::PictureSource& source, const QDir& folder)
{
    QImageReader reader(folder.filePath(source.file));
    if (reader.format() == "svg" || reader.format() == "svgz")
        return {};
    const QSize size = reader.size();
    const int room = PictureFit::roomFor(PictureFit::largestTileSide);
    if (!size.isValid() || size.width() >= room || size.height() >= room)
        return {};
    return QStringLiteral("pictures.txt, wiersz %1: obraz „%2” ma tylko %3 × %4 pikseli, mniej niż miejsce na "
                          "największym polu gry (%5 × %5); w grze będzie rozmazany. Lepiej użyć większego obrazu.")
        .arg(source.line)
        .arg(source.file)
        .arg(size.width())
        .arg(size.height())
        .arg(room);
}

// While it lives, the warnings Qt's image readers give (a JPEG cut short,
// a damaged PNG chunk) are counted instead of printed: they are English,
// and say nothing of which file.
class ReaderWarnings {
public:
    ReaderWarnings() : m_previous(qInstallMessageHandler(count)) { s_count = 0; }
    ~ReaderWarnings() { qInstallMessageHandler(m_previous); }
    ReaderWarnings(const ReaderWarnings&) = delete;
    ReaderWarnings& operator=(const ReaderWarnings&) = delete;
    int count() const { return s_count; }

private:
    static void count(QtMsgType type, const QMessageLogContext&, const QString&)
    {
        if (type != QtDebugMsg && type != QtInfoMsg)
            ++s_count;
    }
    static inline int s_count = 0;
    QtMessageHandler m_previous;
};

QImage pictureOf(const ContentBuild::PictureSource& source, const QDir& folder, Contents& contents)
{
    try {
        if (source.file.isEmpty())
            return ContentBuild::renderPicture(source.emoji);
        const ReaderWarnings readerWarnings;
        const QImage picture = PictureFit::fittedFile(folder.filePath(source.file), ContentBuild::pictureSide,
                                                      ContentBuild::pictureGround);
        if (readerWarnings.count() > 0)
            contents.warnings << QStringLiteral("pictures.txt, wiersz %1: plik „%2” jest uszkodzony albo ucięty; "
                                                "odczytano z niego tyle, ile się dało. Obejrzyj obrazek na arkuszu "
                                                "(trefolia-content proof) i w razie potrzeby zapisz go jeszcze raz.")
                                     .arg(source.line)
                                     .arg(source.file);
        const QString small = smallPictureWarning(source, folder);
        if (!small.isEmpty())
            contents.warnings << small;
        return picture;
    } catch (const GameError& error) {
        QString reason = error.message();
        // The folder's path means nothing next to the file's own name.
        reason.replace(folder.filePath(source.file), source.file);
        throw GameError(QStringLiteral("pictures.txt, wiersz %1: %2").arg(source.line).arg(reason));
    }
}

// A cue of the folder must be a WAV the game can play; without one, the
// game's own cue is made.
QByteArray cueOf(const QDir& folder, int cue)
{
    const QString name = QString::fromLatin1(cueSources[size_t(cue)]);
    if (!QFileInfo(folder.filePath(name)).isFile())
        return Wav::pcm16Mono(SoundCues::synthesize(cue), SoundCues::sampleRate);
    const QByteArray bytes = readBytes(folder, name, 64 * 1024 * 1024);
    const Wav::Info info = Wav::inspect(bytes);
    if (!info.valid)
        throw GameError(QStringLiteral("%1: %2").arg(name, info.problem));
    return bytes;
}

// Runs `step`, recording its fault in `contents` rather than letting it out.
template <typename Step>
bool recorded(Contents& contents, Step step)
{
    try {
        step();
        return true;
    } catch (const GameError& error) {
        contents.faults << error.message();
        return false;
    }
}

}  // namespace

bool isSetFolder(const QString& folder)
{
    return QFileInfo(QDir(folder).filePath(QStringLiteral("pictures.txt"))).isFile();
}

Contents readAll(const QString& folder)
{
    const QDir dir(folder);
    if (!QFileInfo(folder).isDir())
        throw GameError(QStringLiteral("Nie ma folderu %1").arg(QDir::toNativeSeparators(folder)));
    Contents contents;

    QList<ContentBuild::PictureSource> sources;
    const bool picturesRead = recorded(contents, [&] {
        sources = ContentBuild::parsePictures(readText(dir, QStringLiteral("pictures.txt"), contents),
                                              QStringLiteral("pictures.txt"));
        if (sources.isEmpty())
            throw GameError(QStringLiteral("pictures.txt: plik nie ma żadnego obrazka"));
    });
    QHash<QByteArray, qsizetype> firstWith;  // a picture's bytes, the first source drawn so
    for (qsizetype i = 0; i < sources.size(); ++i) {
        const ContentBuild::PictureSource& source = sources.at(i);
        QByteArray png;
        if (recorded(contents, [&] { png = ContentBuild::rgbPng(pictureOf(source, dir, contents)); })) {
            // Two numbers with the same picture cannot be told apart on a shelf.
            const auto same = firstWith.constFind(png);
            if (same != firstWith.cend())
                contents.warnings << QStringLiteral("pictures.txt, wiersze %1 i %2: numery %3 i %4 mają ten sam "
                                                    "obrazek; w grze nie da się ich odróżnić.")
                                         .arg(sources.at(same.value()).line)
                                         .arg(source.line)
                                         .arg(sources.at(same.value()).number, 5, 10, QLatin1Char('0'))
                                         .arg(source.number, 5, 10, QLatin1Char('0'));
            else
                firstWith.insert(png, i);
        } else {
            png = ContentBuild::rgbPng(PictureFit::fitted({}, ContentBuild::pictureSide, ContentBuild::pictureGround));
        }
        contents.pictures.append({png, source.name});
    }
    // A picture that failed is already reported; the lines naming it are not
    // reported again. Without pictures.txt no line is checked against it.
    QList<int> known;
    for (int number = 0; number < sources.size(); ++number)
        known << number;

    for (size_t list = 0; list < listSources.size(); ++list) {
        const QString sourceName = QString::fromLatin1(listSources[list]);
        recorded(contents, [&] {
            const QList<ContentBuild::ListSource> items = ContentBuild::parseList(
                readText(dir, sourceName, contents), sourceName,
                list == 0 ? ContentBuild::ListForms::Optional : ContentBuild::ListForms::Required, &contents.faults);
            QList<int> lineNumbers;
            QList<int> used = known;
            for (const ContentBuild::ListSource& item : items) {
                contents.lists[list].append(formatItemLine(item.pictureNumber, item.forms));
                lineNumbers << item.line;
                if (!picturesRead)
                    used << item.pictureNumber;
            }
            contents.faults << ContentCheck::checkList(sourceName, contents.lists[list], used, list != 0, lineNumbers);
        });
    }
    for (int cue = 0; cue < int(cueSources.size()); ++cue)
        if (!recorded(contents, [&] { contents.cues[size_t(cue)] = cueOf(dir, cue); }))
            contents.cues[size_t(cue)] = Wav::pcm16Mono(SoundCues::synthesize(cue), SoundCues::sampleRate);

    if (QFileInfo::exists(dir.filePath(PluralWord::fileName)))
        recorded(contents, [&] {
            contents.pluralWord = PluralWord::parse(readText(dir, PluralWord::fileName, contents));
        });
    return contents;
}

Contents read(const QString& folder)
{
    Contents contents = readAll(folder);
    if (!contents.faults.isEmpty())
        throw GameError(QStringLiteral("Zestaw ma błędy (%1); nic nie zapisano:\n%2")
                            .arg(contents.faults.size())
                            .arg(contents.faults.join(QLatin1Char('\n'))));
    return contents;
}

}  // namespace SetFolder
