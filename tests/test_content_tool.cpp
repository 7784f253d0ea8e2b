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
#include "content/sound_cues.h"
#include "content/wav_writer.h"
#include "play_fixture.h"
#include "support/test_content.h"

#include <QPainter>
#include <QtTest>

#include <algorithm>
#include <cmath>

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
    void installKeepsThePreviousSet_data();
    void installKeepsThePreviousSet();
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
    QTest::newRow("list naming a missing picture") << "extra F.tx" << "F.tx, wiersz 17: obrazu nr 999 nie ma w archiwum";
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
    QTest::newRow("missing picture") << good + QStringList{"00009"} << false << "obrazu nr 9 nie ma w archiwum";
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
                                            << QPoint() << QColor() << "F.tx: za mało przedmiotów";
}

void ContentTool::setFolderBuilds()
{
    QFETCH(QString, picture);
    QFETCH(QString, extraName);
    QFETCH(QByteArray, extra);
    QFETCH(QPoint, groundAt);
    QFETCH(QColor, centre);
    QFETCH(QString, error);
    QTemporaryDir temp;
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

void ContentTool::installKeepsThePreviousSet_data()
{
    QTest::addColumn<QString>("source");     // "new", "new without H.tx", "new, no game", or the game's previous set
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
}

void ContentTool::installKeepsThePreviousSet()
{
    QFETCH(QString, source);
    QFETCH(int, failingCopy);
    QFETCH(int, baseAfter);
    QFETCH(int, previousAfter);
    QFETCH(QString, error);
    QTemporaryDir game, sets;
    TestContent::writeContentDir(game.filePath(QStringLiteral("Base")), 4);
    // A packaged game reaches its shipped set through a link, which must
    // never cost the linked directory its files.
    const bool linked = source.contains(QStringLiteral("linked"));
    TestContent::writeContentDir(linked ? sets.filePath(QStringLiteral("shipped"))
                                        : game.filePath(QStringLiteral("Base.poprzedni")), 6);
    if (linked)
        QVERIFY(QFile::link(QStringLiteral("../") + QFileInfo(sets.path()).fileName() + QStringLiteral("/shipped"),
                            game.filePath(QStringLiteral("Base.poprzedni"))));
    TestContent::writeContentDir(sets.filePath(QStringLiteral("new")), 5);
    if (source.contains(QStringLiteral("H.tx")))
        QFile::remove(sets.filePath(QStringLiteral("new/H.tx")));
    if (!source.contains(QStringLiteral("no game"))) {
        ArchiveWriter::writeFile(game.filePath(QStringLiteral("trefolia")), "#!/bin/sh\n");
        QFile::setPermissions(game.filePath(QStringLiteral("trefolia")), QFile::ReadOwner | QFile::ExeOwner);
    }
    int copies = 0;
    const auto copy = [&](const QString& from, const QString& to) {
        if (++copies < failingCopy || failingCopy == 0)
            return QFile::copy(from, to);
        ArchiveWriter::writeFile(to, "połowa");  // a copy cut off part-way
        return false;
    };
    const QString from =
        source.startsWith(QStringLiteral("new")) ? sets.filePath(QStringLiteral("new")) : game.filePath(source);
    QString got;
    try {
        ContentInstall::install(from, game.path(), copy);
    } catch (const GameError& e) {
        got = e.message();
    }
    QVERIFY2(error.isEmpty() ? got.isEmpty() : got.contains(error), qPrintable(got));
    QCOMPARE(itemLineCount(loadItemList(game.filePath(QStringLiteral("Base/H.tx")))), baseAfter);
    QCOMPARE(itemLineCount(loadItemList(game.filePath(QStringLiteral("Base.poprzedni/H.tx")))), previousAfter);
    QVERIFY(ContentCheck::checkDirectory(game.filePath(QStringLiteral("Base"))).isEmpty());
    QVERIFY(ContentCheck::checkDirectory(game.filePath(QStringLiteral("Base.poprzedni"))).isEmpty());
    QCOMPARE(QDir(game.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
             (QStringList{QStringLiteral("Base"), QStringLiteral("Base.poprzedni")}));
    if (linked)
        QVERIFY(ContentCheck::checkDirectory(sets.filePath(QStringLiteral("shipped"))).isEmpty());
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
