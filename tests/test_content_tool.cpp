// SPDX-License-Identifier: GPL-3.0-or-later
// Guards the content that ships and the tool that makes it: the generated
// Base/ passes the check and holds what the levels need, a damaged copy
// fails with the reason, the sound cues are soft and click-free, and the
// test content helper gives every suite a valid directory quickly.
#include "content/archive_writer.h"
#include "content/content_build.h"
#include "content/content_check.h"
#include "content/content_install.h"
#include "tools/content_proof.h"
#include "content/game_error.h"
#include "content/item_list.h"
#include "content/picture_archive.h"
#include "content/plural_word.h"
#include "content/set_archive.h"
#include "content/set_folder.h"
#include "content/set_locations.h"
#include "content/sound_cues.h"
#include "content/wav_writer.h"
#include "play_fixture.h"
#include "support/test_content.h"

#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <cmath>
#include <unistd.h>
#include <sys/stat.h>

namespace {

QString shippedDir()
{
    return qEnvironmentVariable("TREFOLIA_BUILD_DIR") + QStringLiteral("/Base/");
}

// A set folder of four emoji and picture 00004 given by `picture` as it
// stands in its line; the lists name all five. `extra` (a file name and its
// text) is written last.
void writeSetFolder(const QString& dir, const QString& picture, const QString& extraName, const QByteArray& extra)
{
    QDir().mkpath(dir);
    const QString pictures =
        QStringLiteral("00000 1F34E a\n00001 1F350 b\n00002 1F34C c\n00003 1F34B d\n00004 %1 e\n").arg(picture);
    QString f, words;
    for (int i = 0; i < 5; ++i) {
        f += QStringLiteral("0000%1\n").arg(i);
        words += QStringLiteral("0000%1 %2\n").arg(i).arg(TestContent::itemForms(i).join(QLatin1Char(' ')));
    }
    for (const auto& [name, text] : {std::pair{QStringLiteral("pictures.txt"), pictures}, {QStringLiteral("F.txt"), f},
                                     {QStringLiteral("G.txt"), words}, {QStringLiteral("H.txt"), words}})
        ArchiveWriter::writeFile(dir + QLatin1Char('/') + name, text.toUtf8());
    if (!extraName.isEmpty()) {
        QDir(dir).mkpath(QFileInfo(extraName).path());
        ArchiveWriter::writeFile(dir + QLatin1Char('/') + extraName, extra);
    }
}

QByteArray imageFile(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A picture of `size` in the colour `around` but for a blue middle.
QImage blueMiddleOn(QSize size, QColor around)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(around);
    const int w = size.width() / 4, h = size.height() / 4;
    QPainter(&image).fillRect(QRect(QPoint(), size).adjusted(w, h, -w, -h), Qt::blue);
    return image;
}

bool anyFaultContains(const QStringList& faults, const QString& text)
{
    return std::any_of(faults.begin(), faults.end(), [&](const QString& f) { return f.contains(text); });
}

// A ZIP file of `members` (name, bytes); a name ending in "->target" is a
// symbolic link to the target.
QByteArray zipOf(const QList<std::pair<QString, QByteArray>>& members)
{
    QByteArray zip;
    archive* writer = archive_write_new();
    archive_write_set_format_zip(writer);
    archive_write_open(
        writer, &zip, nullptr,
        [](archive*, void* out, const void* bytes, size_t length) {
            static_cast<QByteArray*>(out)->append(static_cast<const char*>(bytes), qsizetype(length));
            return la_ssize_t(length);
        },
        nullptr);
    for (const auto& [name, bytes] : members) {
        archive_entry* entry = archive_entry_new();
        const bool link = name.contains(QStringLiteral("->"));
        archive_entry_set_pathname_utf8(entry, name.section(QStringLiteral("->"), 0, 0).toUtf8().constData());
        archive_entry_set_filetype(entry, link ? AE_IFLNK : AE_IFREG);
        archive_entry_set_perm(entry, 0644);
        if (link)
            archive_entry_set_symlink_utf8(entry, name.section(QStringLiteral("->"), 1).toUtf8().constData());
        archive_entry_set_size(entry, link ? 0 : bytes.size());
        archive_write_header(writer, entry);
        if (!link)
            archive_write_data(writer, bytes.constData(), size_t(bytes.size()));
        archive_entry_free(entry);
    }
    archive_write_close(writer);
    archive_write_free(writer);
    return zip;
}

// Zero crossings per second of a stretch: the pitch of a nearly pure tone.
double crossingRate(const std::vector<qint16>& samples, size_t from, size_t to)
{
    int crossings = 0;
    for (size_t i = from + 1; i < to; ++i)
        if ((samples[i - 1] < 0) != (samples[i] < 0))
            ++crossings;
    return crossings / 2.0 / (double(to - from) / SoundCues::sampleRate);
}

}  // namespace

class ContentTool : public QObject {
    Q_OBJECT
private slots:
    void shippedContentPassesTheCheck();
    void shippedListsHoldWhatTheLevelsNeed();
    void shippedPicturesAreOpaqueRgb();
    void damagedCopyFails_data();
    void damagedCopyFails();
    void listRules_data();
    void listRules();
    void sourceParsersNameTheLine_data();
    void sourceParsersNameTheLine();
    void cuesAreSoftAndClickFree_data();
    void cuesAreSoftAndClickFree();
    void cuesHaveTheirShape();
    void wavInspection();
    void setFolderBuilds_data();
    void setFolderBuilds();
    void setFolderTextsAndFaults_data();
    void setFolderTextsAndFaults();
    void installKeepsThePreviousSet_data();
    void installKeepsThePreviousSet();
    void sharedSetFileIsCheckedWhole_data();
    void sharedSetFileIsCheckedWhole();
    void toolSpeaksPolishOnly_data();
    void toolSpeaksPolishOnly();
    void secondSetIsReadyForClass();
    void packFolderNumbersByFileName();
    void testContentHelperIsValidAndFast();
};

void ContentTool::shippedContentPassesTheCheck()
{
    if (!QFileInfo::exists(shippedDir() + QStringLiteral("E.bt")))
        QSKIP("Base/ has not been built in this build directory");
    const QStringList faults = ContentCheck::checkDirectory(shippedDir());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

void ContentTool::shippedListsHoldWhatTheLevelsNeed()
{
    if (!QFileInfo::exists(shippedDir() + QStringLiteral("F.tx")))
        QSKIP("Base/ has not been built in this build directory");
    const QStringList f = loadItemList(shippedDir() + QStringLiteral("F.tx"));
    const QStringList g = loadItemList(shippedDir() + QStringLiteral("G.tx"));
    const QStringList h = loadItemList(shippedDir() + QStringLiteral("H.tx"));
    QVERIFY(itemLineCount(f) >= 16);
    QVERIFY(itemLineCount(g) >= 12);
    QVERIFY(itemLineCount(h) >= 12);
    // Level 3 and 4 lines read back in the sentence forms.
    QCOMPARE(nameForm(g.at(0), 0), QStringLiteral("Jabłko"));
    QCOMPARE(nameForm(g.at(0), 1), QStringLiteral("Jabłka"));
    QCOMPARE(nameForm(g.at(0), 2), QStringLiteral("Jabłkiem"));
    QFile raw(shippedDir() + QStringLiteral("G.tx"));
    QVERIFY(raw.open(QIODevice::ReadOnly));
    QVERIFY(raw.readAll().startsWith("\xEF\xBB\xBF"));
}

void ContentTool::shippedPicturesAreOpaqueRgb()
{
    if (!QFileInfo::exists(shippedDir() + QStringLiteral("E.bt")))
        QSKIP("Base/ has not been built in this build directory");
    // Rendered the same way as the build does, one picture is enough here.
    const QByteArray png = ContentBuild::rgbPng(ContentBuild::renderPicture(QString::fromUcs4(U"\U0001F350")));
    QCOMPARE(png.at(25), char(2));  // IHDR colour type: RGB, no alpha
    QString name;
    const QImage first = LoadArchivePicture(shippedDir(), 0, name);
    QVERIFY(first.width() >= 128 && first.height() >= 128);
    QCOMPARE(first.pixel(1, 1), ContentBuild::pictureGround.rgb());
    QVERIFY(!name.isEmpty());
    // The emoji really was drawn: the centre is not the ground.
    QVERIFY(first.pixel(64, 64) != ContentBuild::pictureGround.rgb());
}

void ContentTool::damagedCopyFails_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing sound") << "remove B.wv" << "Brak pliku B.wv";
    QTest::newRow("missing list") << "remove H.tx" << "Brak pliku H.tx";
    QTest::newRow("sound that is not WAV") << "garble A.wv" << "A.wv: to nie jest plik WAV";
    QTest::newRow("data file cut short") << "truncate D.bb" << "Obraz nr";
    QTest::newRow("index cut inside a record") << "chop E.bt" << "E.bt: plik nie kończy się na granicy rekordu";
    QTest::newRow("list naming a missing picture") << "extra F.tx" << "F.tx, wiersz 17: nie ma obrazka o numerze 00999";
}

void ContentTool::damagedCopyFails()
{
    QFETCH(QString, damage);
    QFETCH(QString, reason);
    QTemporaryDir temp;
    const QString dir = temp.path() + QStringLiteral("/Base/");
    TestContent::writeContentDir(dir);
    QVERIFY(ContentCheck::checkDirectory(dir).isEmpty());

    const QString verb = damage.section(QLatin1Char(' '), 0, 0);
    const QString file = dir + damage.section(QLatin1Char(' '), 1);
    QFile target(file);
    if (verb == QLatin1String("remove")) {
        QVERIFY(target.remove());
    } else if (verb == QLatin1String("garble")) {
        ArchiveWriter::writeFile(file, "not a sound");
    } else if (verb == QLatin1String("truncate")) {
        QVERIFY(target.resize(target.size() / 2));
    } else if (verb == QLatin1String("chop")) {
        QVERIFY(target.resize(target.size() - 1));
    } else if (verb == QLatin1String("extra")) {
        QStringList lines = loadItemList(file);
        lines << formatItemLine(999, {});
        ArchiveWriter::writeFile(file, encodeItemList(lines));
    }
    const QStringList faults = ContentCheck::checkDirectory(dir);
    QVERIFY2(anyFaultContains(faults, reason), qPrintable(faults.join(QLatin1Char('\n'))));
}

void ContentTool::listRules_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("withForms");
    QTest::addColumn<QString>("reason");
    const QStringList forms = {"Jabłko", "Jabłka", "Jabłkiem"};
    QStringList good;
    for (int i = 0; i < 4; ++i)
        good << formatItemLine(i, forms);
    QTest::newRow("sound list") << good << true << QString();
    QTest::newRow("sound list with empty lines at the end") << good + QStringList{"", ""} << true << QString();
    QTest::newRow("three items") << good.mid(0, 3) << true << "za mało przedmiotów (3";
    QTest::newRow("repeated code") << good + QStringList{good.at(1)} << true << "kod obrazka 00001 powtarza się";
    QTest::newRow("code not a number") << QStringList{"0x001"} + good << false << "wiersz 1: '0x001' nie jest poprawną";
    QTest::newRow("short line") << good + QStringList{"0004"} << false << "wiersz 5: brak pięcioznakowego kodu";
    QTest::newRow("missing picture") << good + QStringList{"00009"} << false << "nie ma obrazka o numerze 00009";
    QTest::newRow("missing form") << good + QStringList{formatItemLine(5, {"Kiwi", "Kiwi"})} << true
                                  << "wiersz 5: brak formy 2 (narzędnik)";
    QTest::newRow("two words") << good + QStringList{formatItemLine(5, {"Czarna porzeczka", "x", "y"})} << true
                               << "forma 0 (mianownik) „Czarna porzeczka” nie jest jednym słowem";
    QTest::newRow("30 characters")
        << good + QStringList{QStringLiteral("00005    ") + QString(30, QLatin1Char('a')) + QStringLiteral("b c")}
        << true << "wiersz 5: brak formy 0 (mianownik) albo jest dłuższa niż 29 znaków";
    QTest::newRow("pictures only need no forms") << QStringList{"00000", "00001", "00002", "00003"} << false
                                                 << QString();
}

void ContentTool::listRules()
{
    QFETCH(QStringList, lines);
    QFETCH(bool, withForms);
    QFETCH(QString, reason);
    const QStringList faults = ContentCheck::checkList(QStringLiteral("G.tx"), lines, {0, 1, 2, 3, 4, 5}, withForms);
    if (reason.isEmpty())
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    else
        QVERIFY2(anyFaultContains(faults, reason), qPrintable(faults.join(QLatin1Char('\n'))));
}

void ContentTool::sourceParsersNameTheLine_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("pictures");
    QTest::addColumn<QString>("error");
    QTest::newRow("gap in picture numbers") << "00000 1F34E a\n00002 1F350 b\n" << true
                                            << "p, wiersz 2: obrazy muszą mieć kolejne numery od 00000, oczekiwano 00001";
    QTest::newRow("bad code point") << "# c\n00000 XYZ a\n" << true << "p, wiersz 2: „XYZ” nie jest kodem znaku";
    QTest::newRow("name missing") << "00000 1F34E\n" << true << "p, wiersz 1: potrzeba numeru";
    QTest::newRow("four-digit code") << "0001 Kiwi Kiwi Kiwi\n" << false << "p, wiersz 1: „0001” nie jest pięciocyfrowym";
    QTest::newRow("two forms") << "00001 Kiwi Kiwi\n" << false << "p, wiersz 1: potrzeba kodu i trzech form";
    QTest::newRow("form of 30") << "00001 " + QString(30, QLatin1Char('a')) + " b c\n" << false << "ma ponad 29 znaków";
}

void ContentTool::sourceParsersNameTheLine()
{
    QFETCH(QString, text);
    QFETCH(bool, pictures);
    QFETCH(QString, error);
    QString got;
    try {
        if (pictures)
            ContentBuild::parsePictures(text, QStringLiteral("p"));
        else
            ContentBuild::parseList(text, QStringLiteral("p"), ContentBuild::ListForms::Required);
    } catch (const GameError& e) {
        got = e.message();
    }
    QVERIFY2(got.contains(error), qPrintable(got));
}

void ContentTool::cuesAreSoftAndClickFree_data()
{
    QTest::addColumn<int>("cue");
    QTest::newRow("mistake") << 0;
    QTest::newRow("won") << 1;
    QTest::newRow("round over") << 2;
}

void ContentTool::cuesAreSoftAndClickFree()
{
    QFETCH(int, cue);
    const std::vector<qint16> s = SoundCues::synthesize(cue);
    QVERIFY(s.size() > size_t(SoundCues::sampleRate / 10));
    int peak = 0, jump = 0;
    double energy = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        peak = std::max(peak, std::abs(int(s[i])));
        energy += double(s[i]) * s[i];
        if (i > 0)
            jump = std::max(jump, std::abs(int(s[i]) - int(s[i - 1])));
    }
    QVERIFY2(peak < 32767 * 0.6 && peak > 32767 * 0.3, qPrintable(QString::number(peak)));  // modest, not clipped
    const double rmsDb = 20 * std::log10(std::sqrt(energy / s.size()) / 32767.0);
    QVERIFY2(rmsDb > -30 && rmsDb < -10, qPrintable(QString::number(rmsDb)));
    // A click is a jump of a large part of the range between two samples.
    QVERIFY2(jump < 32767 / 8, qPrintable(QString::number(jump)));
    QVERIFY(std::abs(int(s.front())) < 200);
    QCOMPARE(int(s.back()), 0);
    // Faded: the first and last 2 ms are quiet.
    const size_t edge = SoundCues::sampleRate / 500;
    for (size_t i = 0; i < edge; ++i) {
        QVERIFY(std::abs(int(s[i])) < 32767 / 10);
        QVERIFY(std::abs(int(s[s.size() - 1 - i])) < 32767 / 10);
    }
    const Wav::Info info = Wav::inspect(Wav::pcm16Mono(s, SoundCues::sampleRate));
    QVERIFY(info.valid);
    QCOMPARE(info.samples, s);
}

void ContentTool::cuesHaveTheirShape()
{
    const auto mistake = SoundCues::synthesize(0), won = SoundCues::synthesize(1), over = SoundCues::synthesize(2);
    QVERIFY(SoundCues::synthesize(3).empty());
    QVERIFY(mistake.size() < won.size() && won.size() < over.size());
    QVERIFY(mistake.size() < size_t(SoundCues::sampleRate / 2));  // short
    QVERIFY(over.size() > size_t(SoundCues::sampleRate));          // longer call
    const double low = crossingRate(mistake, 0, mistake.size());
    QVERIFY2(low < 300, qPrintable(QString::number(low)));
    // Won rises: its last quarter is higher than its first; round over falls.
    const size_t w = won.size(), o = over.size();
    QVERIFY(crossingRate(won, 0, w / 4) < crossingRate(won, 3 * w / 4, w));
    QVERIFY(crossingRate(over, 0, o / 4) > crossingRate(over, 3 * o / 4, o));
    QVERIFY(crossingRate(won, 0, w) > 2 * low);
}

void ContentTool::wavInspection()
{
    QVERIFY(!Wav::inspect("RIFF").valid);
    QByteArray file = Wav::pcm16Mono({1, 2, 3}, 22050);
    QVERIFY(Wav::inspect(file).valid);
    file[20] = 3;  // float samples
    QVERIFY(Wav::inspect(file).problem.contains(QStringLiteral("PCM")));
    QByteArray cut = Wav::pcm16Mono({1, 2, 3}, 22050);
    cut.chop(2);
    QVERIFY(Wav::inspect(cut).problem.contains(QStringLiteral("poza koniec")));
}

void ContentTool::setFolderBuilds_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("extraName");
    QTest::addColumn<QByteArray>("extra");
    QTest::addColumn<QPoint>("groundAt");  // in the fitted picture: transparency or room
    QTest::addColumn<QColor>("centre");
    QTest::addColumn<QString>("error");
    const QImage wide = blueMiddleOn({200, 100}, Qt::red).convertToFormat(QImage::Format_RGB32);
    QTest::newRow("JPEG with blanks in its name") << "\"zdjęcia/mój kot.jpg\"" << "zdjęcia/mój kot.jpg"
                                                   << imageFile(wide, "JPEG") << QPoint(64, 8) << QColor(Qt::blue) << "";
    QTest::newRow("transparent PNG") << "kot.png" << "kot.png" << imageFile(blueMiddleOn({64, 64}, Qt::transparent), "PNG")
                                     << QPoint(20, 64) << QColor(Qt::blue) << "";
    QImage big(3000, 2000, QImage::Format_RGB32);
    big.fill(Qt::darkGreen);
    QTest::newRow("3000 x 2000 PNG") << "duży.png" << "duży.png" << imageFile(big, "PNG") << QPoint(64, 10)
                                     << QColor(Qt::darkGreen) << "";
    const QByteArray svg = "<svg xmlns='http://www.w3.org/2000/svg' width='10' height='20' viewBox='0 0 10 20'>"
                           "<rect x='0' y='5' width='10' height='10' fill='#0000ff'/></svg>";
    QTest::newRow("SVG") << "ryba.svg" << "ryba.svg" << svg << QPoint(64, 20) << QColor(Qt::blue) << "";
    QTest::newRow("broken picture file") << "zepsuty.png" << "zepsuty.png" << QByteArray("\x89PNG nie obraz") << QPoint()
                                         << QColor() << "pictures.txt, wiersz 5: Nie można wczytać obrazu";
    QTest::newRow("missing picture file") << "brak.gif" << "" << QByteArray() << QPoint() << QColor()
                                          << "pictures.txt, wiersz 5: Nie można wczytać obrazu";
    QTest::newRow("wrong line") << "1F347" << "G.txt" << QByteArray("# x\n00000 Kot Kota\n") << QPoint() << QColor()
                                << "G.txt, wiersz 2: potrzeba kodu i trzech form";
    QTest::newRow("cue that is not PCM") << "1F347" << "B.wav" << QByteArray("RIFF") << QPoint() << QColor()
                                         << "B.wav: ";
    QTest::newRow("list failing the check") << "1F347" << "F.txt" << QByteArray("00000\n00001\n00002\n")
                                            << QPoint() << QColor() << "F.txt: za mało przedmiotów";
}

void ContentTool::setFolderBuilds()
{
    QFETCH(QString, picture);
    QFETCH(QString, extraName);
    QFETCH(QByteArray, extra);
    QFETCH(QPoint, groundAt);
    QFETCH(QColor, centre);
    QFETCH(QString, error);
    // A teacher's folder name: Polish letters and spaces, which no narrow
    // (ANSI) file name on Windows is sure to carry.
    QTemporaryDir temp(QDir::tempPath() + QStringLiteral("/Zestawy pani Łucji-XXXXXX"));
    writeSetFolder(temp.filePath(QStringLiteral("zestaw")), picture, extraName, extra);
    const QString out = temp.filePath(QStringLiteral("Base"));
    QString got;
    try {
        ContentBuild::buildDirectory(temp.filePath(QStringLiteral("zestaw")), out);
    } catch (const GameError& e) {
        got = e.message();
    }
    if (!error.isEmpty()) {
        QVERIFY2(got.contains(error), qPrintable(got));
        // Nothing where it was pointed, no staging folder left behind.
        QCOMPARE(QDir(temp.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("zestaw")});
        return;
    }
    QVERIFY2(got.isEmpty(), qPrintable(got));
    QString name;
    // Read as the game reads it, which composes any alpha onto black.
    const QImage fitted = LoadArchivePicture(out + QLatin1Char('/'), 4, name);
    QCOMPARE(fitted.size(), QSize(ContentBuild::pictureSide, ContentBuild::pictureSide));
    QCOMPARE(fitted.pixel(groundAt), ContentBuild::pictureGround.rgb());
    QVERIFY2(qAbs(QColor(fitted.pixel(64, 64)).hue() - centre.hue()) < 12, qPrintable(QColor(fitted.pixel(64, 64)).name()));
    // The proof page of the folder shows the five pictures at three sizes and every list line.
    const QString html = temp.filePath(QStringLiteral("arkusz.html"));
    QVERIFY(ContentProof::write(temp.filePath(QStringLiteral("zestaw")), html).isEmpty());
    QFile page(html);
    QVERIFY(page.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(page.readAll()).count(QStringLiteral("data:image/png;base64,")), 5 * 3 + 3 * 5);
}

void ContentTool::setFolderTextsAndFaults_data()
{
    // A set folder of writeSetFolder with picture 00004 `picture` and the
    // file `extraName` holding `extra`; what is read must hold `expected`
    // among `where`: "text" (picture names, list lines, plural word),
    // "warnings" or "faults".
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("extraName");
    QTest::addColumn<QByteArray>("extra");
    QTest::addColumn<QString>("where");
    QTest::addColumn<QString>("expected");
    QByteArray words;
    for (int i = 1; i < 5; ++i)
        words += QStringLiteral("0000%1 Kot%1 Kota%1 Kotem%1\n").arg(i).toLatin1();
    const QByteArray pencil = "00000 O\xb3\xf3wek O\xb3\xf3wka O\xb3\xf3wkiem\n";  // Windows-1250
    QTest::newRow("G.txt in Windows-1250 is read as such")
        << "1F347" << "G.txt" << pencil + words << "text" << "Ołówek";
    QTest::newRow("and the teacher is told") << "1F347" << "G.txt" << pencil + words << "warnings"
                                             << "G.txt jest zapisany w kodowaniu Windows-1250; odczytano go jako "
                                                "Windows-1250. Zapisz go jako UTF-8";
    QTest::newRow("Windows-1250 in capitals is still Windows-1250")
        << "1F347" << "G.txt" << "00000 P\xd3\xa3KA P\xd3\xa3KI P\xd3\xa3K\xb9\n" + words << "text" << "PÓŁKA";
    QTest::newRow("one Windows-1250 line in a UTF-8 file is refused")
        << "1F347" << "G.txt" << "00000 Kredka Kredki Kredk\xc4\x85\n" + words + "00005 Tablica Tablicy Tablic\xb9\n"
        << "faults" << "G.txt, wiersz 6: plik jest zapisany jako UTF-8, ale ten wiersz nie jest tekstem UTF-8";
    QTest::newRow("pictures.txt in Windows-1250")
        << "1F347" << "pictures.txt"
        << QByteArray("00000 1F34E a\n00001 1F350 b\n00002 1F34C c\n00003 1F34B d\n00004 1F347 no\xbfyczki\n") << "text"
        << "nożyczki";
    QTest::newRow("nazwa.txt in Windows-1250") << "1F347" << "nazwa.txt" << QByteArray("no\xbfyczki\r\n") << "text"
                                               << "nożyczki";
    QTest::newRow("UTF-8 with its mark") << "1F347" << "nazwa.txt" << QByteArray("\xEF\xBB\xBFzwierzęta") << "text"
                                         << "zwierzęta";
    QTest::newRow("UTF-16 with its mark (Notepad's Unicode)")
        << "1F347" << "nazwa.txt" << QByteArray("\xff\xfe\x7a\x00\x77\x00\x69\x00\x65\x00\x72\x00\x7a\x00\x19\x01\x74\x00\x61\x00", 20) << "text" << "zwierzęta";
    QTest::newRow("neither UTF-8 nor Windows-1250")
        << "1F347" << "F.txt" << QByteArray("00000\n00001\n0000\x81\n00003\n") << "faults"
        << "F.txt, wiersz 3: tego pliku nie da się odczytać: nie jest zapisany jako tekst UTF-8 ani Windows-1250. "
           "Otwórz go w Notatniku, sprawdź polskie litery w tym wierszu i wybierz „Zapisz jako…”, Kodowanie: UTF-8.";
    QTest::newRow("Latin-2 is not guessed at") << "1F347" << "G.txt" << "# x\n00000 W\xb1\xbf W\xeb\xbf" "a W\xeb\xbf" "em\n" + words
                                               << "faults" << "G.txt, wiersz 2: tego pliku nie da się odczytać";
    QTest::newRow("the teacher's line, comments counted")
        << "1F347" << "H.txt" << "# a\n\n" + words + "# b\n00002 Xa Xb Xc\n" << "faults"
        << "H.txt, wiersz 8: kod obrazka 00002 powtarza się";
    QTest::newRow("a missing picture on the teacher's line")
        << "1F347" << "F.txt" << QByteArray("# obrazki\n00000\n00001\n00009\n00002\n") << "faults"
        << "F.txt, wiersz 4: nie ma obrazka o numerze 00009";
    QTest::newRow("every wrong line, not only the first")
        << "1F347" << "G.txt" << "0001 A B C\n" + words + "00005 A B\n" << "faults" << "G.txt, wiersz 6: potrzeba kodu";
    QTest::newRow("plural word of two lines") << "1F347" << "nazwa.txt" << QByteArray("owoce\nwarzywa\n") << "faults"
                                              << "nazwa.txt, wiersz 2: plik ma mieć jeden wiersz";
    QTest::newRow("plural word too long") << "1F347" << "nazwa.txt" << QByteArray(41, 'a') << "faults"
                                          << "nazwa.txt, wiersz 1: nazwa ma 41 znaków, może mieć najwyżej 40";
    QTest::newRow("missing picture file, by its own name")
        << "brak.png" << "" << QByteArray() << "faults" << "pictures.txt, wiersz 5: Nie można wczytać obrazu „brak.png”";
    QTest::newRow("two numbers, one picture") << "1F34E" << "" << QByteArray() << "warnings"
                                              << "pictures.txt, wiersze 1 i 5: numery 00000 i 00004 mają ten sam obrazek";
    QTest::newRow("picture smaller than the tile")
        << "mały.png" << "mały.png" << TestContent::solidPng({40, 30}, Qt::red) << "warnings"
        << "pictures.txt, wiersz 5: obraz „mały.png” ma tylko 40 × 30 pikseli";
    QTest::newRow("picture as large as the tile needs no warning")
        << "duży.png" << "duży.png" << TestContent::solidPng({128, 128}, Qt::red) << "warnings" << "";
}

void ContentTool::setFolderTextsAndFaults()
{
    QFETCH(QString, picture);
    QFETCH(QString, extraName);
    QFETCH(QByteArray, extra);
    QFETCH(QString, where);
    QFETCH(QString, expected);
    QTemporaryDir temp;
    const QString folder = temp.filePath(QStringLiteral("zestaw"));
    writeSetFolder(folder, picture, extraName, extra);
    const SetFolder::Contents contents = SetFolder::readAll(folder);
    QStringList text{contents.pluralWord};
    for (const ArchiveWriter::Picture& item : contents.pictures)
        text << item.name;
    for (const QStringList& list : contents.lists)
        text << list;
    const QStringList& found = where == QLatin1String("text") ? text
                               : where == QLatin1String("warnings") ? contents.warnings
                                                                    : contents.faults;
    const QString all = QStringLiteral("faults: ") + contents.faults.join(QLatin1Char('\n')) +
                        QStringLiteral("\nwarnings: ") + contents.warnings.join(QLatin1Char('\n'));
    if (expected.isEmpty())
        QVERIFY2(found.isEmpty(), qPrintable(all));
    else
        QVERIFY2(anyFaultContains(found, expected), qPrintable(all + QStringLiteral("\ntext: ") + text.join(QLatin1Char('|'))));
    // No message says where the tool's own files are, or "archiwum".
    QVERIFY2(!all.contains(QStringLiteral("archiw")) && !all.contains(QStringLiteral(".tx,")), qPrintable(all));

    // A folder with faults is not built, and its proof page lists them.
    const QString html = temp.filePath(QStringLiteral("arkusz.html"));
    const QStringList proofFaults = ContentProof::write(folder, html);
    QCOMPARE(proofFaults, contents.faults);
    QFile page(html);
    QVERIFY(page.open(QIODevice::ReadOnly));
    const QString shown = QString::fromUtf8(page.readAll());
    for (const QString& message : contents.faults + contents.warnings)
        QVERIFY2(shown.contains(message.toHtmlEscaped()), qPrintable(message));
    QString refused;
    try {
        ContentBuild::buildDirectory(folder, temp.filePath(QStringLiteral("Base")));
    } catch (const GameError& e) {
        refused = e.message();
    }
    QCOMPARE(refused.isEmpty(), contents.faults.isEmpty());
    QCOMPARE(QFileInfo::exists(temp.filePath(QStringLiteral("Base"))), contents.faults.isEmpty());
    if (contents.faults.isEmpty() && !contents.pluralWord.isEmpty())
        QCOMPARE(PluralWord::read(temp.filePath(QStringLiteral("Base"))), contents.pluralWord);
}

void ContentTool::installKeepsThePreviousSet_data()
{
    // "new", "new without H.tx", "new, no game", or the game's previous set;
    // "user …" installs as the set "Base" among the user's sets instead,
    // "user restore" brings back its previous version.
    QTest::addColumn<QString>("source");
    QTest::addColumn<int>("failingCopy");    // the copy that fails, from 1; 0 none
    QTest::addColumn<int>("baseAfter");      // items per list of the set in Base/ afterwards
    QTest::addColumn<int>("previousAfter");  // and in Base.poprzedni
    QTest::addColumn<QString>("error");
    QTest::newRow("install") << "new" << 0 << 5 << 4 << "";
    QTest::newRow("going back to the previous set") << "Base.poprzedni" << 0 << 6 << 4 << "";
    QTest::newRow("previous set reached through a link") << "new, previous linked" << 0 << 5 << 4 << "";
    QTest::newRow("copy fails part-way") << "new" << 4 << 4 << 6 << "Nie można skopiować pliku";
    QTest::newRow("no game program") << "new, no game" << 0 << 4 << 6 << "nie ma programu gry";
    QTest::newRow("set failing its check") << "new without H.tx" << 0 << 4 << 6 << "Brak pliku H.tx";
    QTest::newRow("game folder the package owns") << "new, packaged game" << 0 << 4 << 6 << "należy do pakietu";
    QTest::newRow("set folder not built") << "new, set folder" << 0 << 4 << 6 << "Najpierw zbuduj go: trefolia-content build";
    QTest::newRow("user: install") << "user new" << 0 << 5 << 4 << "";
    QTest::newRow("every account: install under umask 077") << "user new, every account" << 0 << 5 << 4 << "";
    QTest::newRow("user: restore the previous set") << "user restore" << 0 << 6 << 4 << "";
    QTest::newRow("user: copy fails part-way") << "user new" << 4 << 4 << 6 << "Nie można skopiować pliku";
    QTest::newRow("user: set folder not built") << "user new, set folder" << 0 << 4 << 6 << "Najpierw zbuduj go";
    QTest::newRow("user: another name") << "user new, named Inny" << 0 << 4 << 6 << "";
    QTest::newRow("user: name that is not one word") << "user new, named a/b" << 0 << 4 << 6 << "nie może być nazwą";
    QTest::newRow("user: data folder reaching the package's")
        << "user new, data reaching /usr/share" << 0 << 4 << 6 << "należy do pakietu";
}

void ContentTool::installKeepsThePreviousSet()
{
    QFETCH(QString, source);
    QFETCH(int, failingCopy);
    QFETCH(int, baseAfter);
    QFETCH(int, previousAfter);
    QFETCH(QString, error);
    QTemporaryDir game, sets, data;
    // The user's sets: never the real home's.
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
    const bool user = source.startsWith(QStringLiteral("user"));
    const QString parent = user ? data.filePath(QStringLiteral("trefolia/zestawy")) : game.path();
    const QString name = source.contains(QStringLiteral("named "))
                             ? source.section(QStringLiteral("named "), 1)
                             : QStringLiteral("Base");
    QDir().mkpath(parent);
    TestContent::writeContentDir(parent + QStringLiteral("/Base"), 4);
    // A packaged game reaches its shipped set through a link, which must
    // never cost the linked directory its files.
    const bool linked = source.contains(QStringLiteral("linked"));
    TestContent::writeContentDir(linked ? sets.filePath(QStringLiteral("shipped"))
                                        : parent + QStringLiteral("/Base.poprzedni"), 6);
    if (linked)
        QVERIFY(QFile::link(QStringLiteral("../") + QFileInfo(sets.path()).fileName() + QStringLiteral("/shipped"),
                            game.filePath(QStringLiteral("Base.poprzedni"))));
    TestContent::writeContentDir(sets.filePath(QStringLiteral("new")), 5);
    ArchiveWriter::writeFile(sets.filePath(QStringLiteral("new/nazwa.txt")), "zwierzęta\n");
    if (source.contains(QStringLiteral("H.tx")))
        QFile::remove(sets.filePath(QStringLiteral("new/H.tx")));
    if (source.contains(QStringLiteral("set folder")))
        writeSetFolder(sets.filePath(QStringLiteral("new")), QStringLiteral("1F347"), {}, {});
    if (!source.contains(QStringLiteral("no game"))) {
        ArchiveWriter::writeFile(game.filePath(QStringLiteral("trefolia")), "#!/bin/sh\n");
        QFile::setPermissions(game.filePath(QStringLiteral("trefolia")), QFile::ReadOwner | QFile::ExeOwner);
    }
    if (source.contains(QStringLiteral("set folder")))
        for (const QString& file : ContentCheck::contentFiles())
            QFile::remove(sets.filePath(QStringLiteral("new/") + file));
    int copies = 0;
    const auto copy = [&](const QString& from, const QString& to) {
        if (++copies < failingCopy || failingCopy == 0)
            return QFile::copy(from, to);
        ArchiveWriter::writeFile(to, "połowa");  // a copy cut off part-way
        return false;
    };
    const QString from = source.contains(QStringLiteral("new")) ? sets.filePath(QStringLiteral("new"))
                                                                  : game.filePath(source);
    QString dataDir = data.path();
    if (source.contains(QStringLiteral("/usr/share"))) {
        dataDir = sets.filePath(QStringLiteral("dane"));
        QVERIFY(QFile::link(QStringLiteral("/usr/share"), dataDir));
    }
    QString got;
    ContentInstall::Installed installed;
    try {
        if (source == QLatin1String("user restore"))
            installed = ContentInstall::restoreSet(dataDir, name, false);
        else if (user) {
            // An administrator's umask may keep new files from everyone else.
            const bool everyAccount = source.contains(QStringLiteral("every account"));
#ifdef Q_OS_UNIX
            const mode_t umaskBefore = everyAccount ? ::umask(077) : ::umask(022);
#endif
            installed = ContentInstall::installSet(from, dataDir, name, everyAccount, copy);
#ifdef Q_OS_UNIX
            ::umask(umaskBefore);
            // Every account reads the set and its menu entry.
            if (everyAccount)
                for (const QString& path : {installed.menuEntry, installed.folder, installed.folder + "/H.tx",
                                            parent, QFileInfo(parent).absolutePath()})
                    QVERIFY2(QFileInfo(path).permission(QFile::ReadOther), qPrintable(path));
#endif
        }
        else
            ContentInstall::install(from, source.contains(QStringLiteral("packaged")) ? QStringLiteral("/usr/lib/trefolia")
                                                                                     : game.path(), copy);
    } catch (const GameError& e) {
        got = e.message();
    }
    QVERIFY2(error.isEmpty() ? got.isEmpty() : got.contains(error), qPrintable(got));
    QCOMPARE(itemLineCount(loadItemList(parent + QStringLiteral("/Base/H.tx"))), baseAfter);
    QCOMPARE(itemLineCount(loadItemList(parent + QStringLiteral("/Base.poprzedni/H.tx"))), previousAfter);
    QVERIFY(ContentCheck::checkDirectory(parent + QStringLiteral("/Base")).isEmpty());
    QVERIFY(ContentCheck::checkDirectory(parent + QStringLiteral("/Base.poprzedni")).isEmpty());
    // Another name is a set of its own beside them; nothing else is left.
    QStringList expected{QStringLiteral("Base"), QStringLiteral("Base.poprzedni")};
    if (name != QLatin1String("Base") && error.isEmpty())
        expected.append(name);
    QCOMPARE(QDir(parent).entryList(QDir::Dirs | QDir::NoDotAndDotDot), expected);
    if (linked)
        QVERIFY(ContentCheck::checkDirectory(sets.filePath(QStringLiteral("shipped"))).isEmpty());
    if (!user || !error.isEmpty()) {
        QVERIFY(!QFileInfo::exists(data.filePath(QStringLiteral("applications"))));
        return;
    }
    // The set's menu entry starts the game on it under its plural word,
    // scaled to fit the desktop.
    QFile entry(installed.menuEntry);
    QCOMPARE(QFileInfo(entry).absolutePath(), data.filePath(QStringLiteral("applications")));
    QVERIFY(entry.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(entry.readAll());
    QVERIFY2(text.contains(source == QLatin1String("user restore") ? QStringLiteral("\nName=Trefolia — Base\n")
                                                                   : QStringLiteral("\nName=Trefolia — zwierzęta\n")),
             qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("trefolia --skala auto --set ") + name + QLatin1Char('\n')), qPrintable(text));
    const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (!validator.isEmpty()) {
        QProcess check;
        check.start(validator, {installed.menuEntry});
        QVERIFY(check.waitForFinished());
        QVERIFY2(check.exitCode() == 0, check.readAllStandardOutput().constData());
    }
}

void ContentTool::sharedSetFileIsCheckedWhole_data()
{
    // The members of a .zestaw besides those of a sound set; what the
    // refusal says, or nothing when the file is taken.
    QTest::addColumn<QString>("member");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error");
    QTest::newRow("a set shared and taken back") << "" << QByteArray() << "";
    QTest::newRow("path leaving the set") << "../../.bashrc" << QByteArray("x") << "ścieżkę z „..”";
    QTest::newRow("absolute path") << "/etc/cron.d/x" << QByteArray("x") << "ścieżkę od korzenia dysku";
    QTest::newRow("file in a folder") << "podfolder/A.wv" << QByteArray("x") << "w folderze";
    QTest::newRow("symbolic link") << "nazwa.txt->/etc/shadow" << QByteArray() << "dowiązanie „nazwa.txt”";
    QTest::newRow("file no set has") << "autorun.inf" << QByteArray("x") << "„autorun.inf”, którego nie ma";
    QTest::newRow("a file twice") << "E.bt" << QByteArray("x") << "„E.bt” dwa razy";
    QTest::newRow("oversized member") << "nazwa.txt" << QByteArray(SetArchive::maxMemberSize + 1, ' ')
                                      << "„nazwa.txt” większy niż 64 MB";
    QTest::newRow("not a set file") << "(whole)" << QByteArray("PK\x03\x04 to nie jest zip") << "jest uszkodzony";
}

void ContentTool::sharedSetFileIsCheckedWhole()
{
    QFETCH(QString, member);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    QTemporaryDir temp(QDir::tempPath() + QStringLiteral("/Udostępnione zestawy-XXXXXX"));
    const QString set = temp.filePath(QStringLiteral("zwierzeta"));
    TestContent::writeContentDir(set, 5);
    ArchiveWriter::writeFile(set + QStringLiteral("/nazwa.txt"), "zwierzęta\n");
    const QString file = temp.filePath(QStringLiteral("zwierzeta.zestaw"));
    SetArchive::write(set, file);
    if (member == QLatin1String("(whole)")) {
        ArchiveWriter::writeFile(file, bytes);
    } else if (!member.isEmpty()) {
        QList<std::pair<QString, QByteArray>> members;
        for (const QString& name : ContentCheck::contentFiles()) {
            QFile part(set + QLatin1Char('/') + name);
            QVERIFY(part.open(QIODevice::ReadOnly));
            members.append({name, part.readAll()});
        }
        members.append({member, bytes});
        ArchiveWriter::writeFile(file, zipOf(members));
    }
    const QString into = temp.filePath(QStringLiteral("rozpakowany"));
    QDir().mkpath(into);
    QString got;
    try {
        SetArchive::extract(file, into);
    } catch (const GameError& e) {
        got = e.message();
    }
    if (!error.isEmpty()) {
        QVERIFY2(got.contains(error) && got.contains(QStringLiteral("nic nie zapisano")), qPrintable(got));
        // Nothing of it is kept, and nothing was written outside.
        QCOMPARE(QDir(into).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                 QStringList());
        QCOMPARE(QDir(temp.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 (QStringList{QStringLiteral("rozpakowany"), QStringLiteral("zwierzeta"),
                              QStringLiteral("zwierzeta.zestaw")}));
        return;
    }
    QVERIFY2(got.isEmpty(), qPrintable(got));
    QVERIFY(ContentCheck::checkDirectory(into).isEmpty());
    QCOMPARE(PluralWord::read(into), QStringLiteral("zwierzęta"));
    // Installed straight from the file, under the file's name, for a second account.
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
    const SetArchive::OpenedSet opened(file);
    QCOMPARE(opened.name(), QStringLiteral("zwierzeta"));
    const ContentInstall::Installed installed =
        ContentInstall::installSet(opened.dir(), SetLocations::userDataDir(), opened.name(), false);
    QCOMPARE(installed.folder, SetLocations::userRoot() + QStringLiteral("/zwierzeta"));
    QCOMPARE(SetLocations::findSet(QStringLiteral("zwierzeta")), installed.folder);
    QCOMPARE(itemLineCount(loadItemList(installed.folder + QStringLiteral("/H.tx"))), 5);
}

void ContentTool::toolSpeaksPolishOnly_data()
{
    QTest::addColumn<QStringList>("arguments");  // "@" stands for a scratch folder
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("expected");
    QTest::newRow("every account's sets need the administrator")
        << QStringList{"install", "--system", "@/zestaw"} << 1 << "wymaga uprawnień administratora (sudo)";
    QTest::newRow("folder without pictures.txt")
        << QStringList{"build", "@/zestaw", "@/Base"} << 1
        << "pictures.txt: nie można otworzyć pliku: nie ma takiego pliku ani folderu";
    QTest::newRow("JPEG cut short") << QStringList{"build", "@/jpeg", "@/Base"} << 0
                                    << "Uwaga: pictures.txt, wiersz 5: plik „kot.jpg” jest uszkodzony albo ucięty";
    QTest::newRow("unbuilt set shared") << QStringList{"share", "@/jpeg", "@/x.zestaw"} << 1 << "Najpierw zbuduj go";
}

void ContentTool::toolSpeaksPolishOnly()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, expected);
#ifdef Q_OS_WIN
    const QString tool = qEnvironmentVariable("TREFOLIA_BUILD_DIR") + QStringLiteral("/trefolia-content.exe");
#else
    const QString tool = qEnvironmentVariable("TREFOLIA_BUILD_DIR") + QStringLiteral("/trefolia-content");
#endif
    if (!QFileInfo(tool).isExecutable())
        QSKIP("trefolia-content has not been built in this build directory");
#ifdef Q_OS_WIN
    const bool root = false;
    if (arguments.contains(QStringLiteral("--system")))
        QSKIP("no account without the right to write %ProgramData% to try it with (wine gives every program it)");
    const QString runuser;
#else
    const bool root = ::geteuid() == 0;
    const QString runuser = QStandardPaths::findExecutable(QStringLiteral("runuser"));
    if (arguments.contains(QStringLiteral("--system")) && (root ? runuser.isEmpty() : ::access("/usr/local/share", W_OK) == 0))
        QSKIP("no account without the right to write /usr/local/share to try it with");
#endif
    QTemporaryDir temp;
    QFile::setPermissions(temp.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther |
                                           QFile::ExeOther);
    TestContent::writeContentDir(temp.filePath(QStringLiteral("zestaw")), 5);
    QImage photo(200, 200, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, qRgb(x, y * 7 % 256, (x * y) % 256));
    const QByteArray jpeg = imageFile(photo, "JPEG");
    writeSetFolder(temp.filePath(QStringLiteral("jpeg")), QStringLiteral("kot.jpg"), QStringLiteral("kot.jpg"),
                   jpeg.left(jpeg.size() / 2));
    QStringList args;
    for (const QString& argument : arguments)
        args << QString(argument).replace(QLatin1Char('@'), temp.path());
    QProcess process;
    if (arguments.contains(QStringLiteral("--system")) && root)
        process.start(runuser, QStringList{QStringLiteral("-u"), QStringLiteral("nobody"), QStringLiteral("--"), tool} + args);
    else
        process.start(tool, args);
    QVERIFY(process.waitForFinished(60000));
    const QString said = QString::fromUtf8(process.readAllStandardError() + process.readAllStandardOutput());
    QVERIFY2(process.exitCode() == status && said.contains(expected), qPrintable(said));
    // Neither Qt's nor the system's English reaches the teacher.
    static const QRegularExpression english(QStringLiteral("\\b(the|file|such|of|warning|error|JPEG file|QImage|libpng)\\b"),
                                            QRegularExpression::CaseInsensitiveOption);
    QVERIFY2(!said.contains(english), qPrintable(said));
}

void ContentTool::secondSetIsReadyForClass()
{
    const QString set = qEnvironmentVariable("TREFOLIA_BUILD_DIR") + QStringLiteral("/sets/zwierzeta/");
    if (!QFileInfo::exists(set + QStringLiteral("E.bt")))
        QSKIP("sets/zwierzeta has not been built in this build directory");
    QVERIFY(ContentCheck::checkDirectory(set).isEmpty());
    QTemporaryDir temp;
    QVERIFY(ContentProof::write(set, temp.filePath(QStringLiteral("arkusz.html"))).isEmpty());
    QFile file(temp.filePath(QStringLiteral("arkusz.html")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll()), text = QString(html).remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    QVERIFY(text.contains(QStringLiteral("bez błędów")));
    const qint64 pictures = QFileInfo(set + QStringLiteral("E.bt")).size() / PictureArchive::indexRecordSize;
    int lines = 0;
    // Every word-level line in each frame, in the form the frame needs.
    for (const QString& list : {QStringLiteral("F.tx"), QStringLiteral("G.tx"), QStringLiteral("H.tx")}) {
        const QStringList items = loadItemList(set + list);
        QVERIFY(itemLineCount(items) >= (list == QLatin1String("F.tx") ? 16 : 12));
        lines += itemLineCount(items);
        for (int i = 0; list != QLatin1String("F.tx") && i < itemLineCount(items); ++i) {
            const QString line = items.at(i);
            for (const QString& frame : {QStringLiteral("Z brzegów leżą %1 i ").arg(nameForm(line, 0).toLower()),
                                         QStringLiteral(" leży obok %1.").arg(nameForm(line, 1).toLower()),
                                         QStringLiteral(" leży pomiędzy %1 i ").arg(nameForm(line, 2).toLower()),
                                         QStringLiteral("%1 leży na prawo od ").arg(nameForm(line, 0))})
                QVERIFY2(text.contains(frame), qPrintable(list + frame));
        }
    }
    QCOMPARE(html.count(QStringLiteral("data:image/png;base64,")), int(pictures) * 3 + lines);
    // The game deals from it on every level, without an error.
    PlayFixture fixture;
    for (const QString& name : ContentCheck::contentFiles()) {
        QFile::remove(fixture.dir.filePath(QStringLiteral("Base/") + name));
        QVERIFY(QFile::copy(set + name, fixture.dir.filePath(QStringLiteral("Base/") + name)));
    }
    for (int level = 0; level < 4; ++level) {
        fixture.pressLevel(level);
        QVERIFY(fixture.boxes.boxes.isEmpty());
        QCOMPARE(fixture.shownShelves(), level == 0 ? 6 : 12);
        QVERIFY(!fixture.item(fixture.ps().Correct_S, 0)->bitmap().isNull());
        const QString description = fixture.description()->plainText();
        QVERIFY2(level < 2 ? fixture.description()->pictureCount() > 0
                           : description.endsWith(QLatin1Char('.')) && !description.contains(QStringLiteral(" .")) &&
                                 !description.contains(QStringLiteral("  ")),
                 qPrintable(description));
    }
}

void ContentTool::packFolderNumbersByFileName()
{
    QTemporaryDir temp;
    const QString pngs = temp.filePath(QStringLiteral("obrazy"));
    QDir().mkpath(pngs);
    ArchiveWriter::writeFile(pngs + QStringLiteral("/02-śliwka.png"), TestContent::solidPng({9, 9}, Qt::blue));
    ArchiveWriter::writeFile(pngs + QStringLiteral("/01-gruszka.png"), TestContent::solidPng({7, 7}, Qt::green));
    ArchiveWriter::writeFile(pngs + QStringLiteral("/notatka.txt"), "nie obraz");
    const QString out = temp.filePath(QStringLiteral("Base")) + QLatin1Char('/');
    QCOMPARE(ContentBuild::packFolder(pngs, out),
             (QStringList{QStringLiteral("00000 01-gruszka.png"), QStringLiteral("00001 02-śliwka.png")}));
    QString name;
    QCOMPARE(LoadArchivePicture(out, 0, name).size(), QSize(7, 7));
    QCOMPARE(name, QStringLiteral("01-gruszka"));
    QCOMPARE(LoadArchivePicture(out, 1, name).pixel(0, 0), qRgb(0, 0, 255));
    QCOMPARE(name, QStringLiteral("02-śliwka"));
}

void ContentTool::testContentHelperIsValidAndFast()
{
    QTemporaryDir temp;
    const QString dir = temp.path() + QStringLiteral("/Base/");
    QElapsedTimer timer;
    timer.start();
    TestContent::writeContentDir(dir, 16);
    const qint64 elapsed = timer.elapsed();
    QVERIFY2(elapsed < 100, qPrintable(QString::number(elapsed)));
    const QStringList faults = ContentCheck::checkDirectory(dir);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    QString name;
    const QStringList h = loadItemList(dir + QStringLiteral("H.tx"));
    QCOMPARE(h.size(), 16);
    const int number = pictureNumberOf(h.at(3).left(5));
    QCOMPARE(number, 2 * 16 + 3);
    QCOMPARE(LoadArchivePicture(dir, number, name).pixel(0, 0), TestContent::pictureColour(number).rgb());
    QCOMPARE(nameForm(h.at(3), 2), TestContent::itemForms(16 + 3).at(2));
}

QTEST_MAIN(ContentTool)
#include "test_content_tool.moc"
