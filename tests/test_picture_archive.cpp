// SPDX-License-Identifier: GPL-3.0-or-later
// Guards the picture archive reader: pictures come back pixel-exact from
// the records they were packed into, names follow the name rule, and every
// damaged or hostile archive ends in the game's error text instead of a
// crash, a wrong picture or an unbounded allocation.
#include "content/archive_writer.h"
#include "content/game_error.h"
#include "content/io_error.h"
#include "content/picture_archive.h"
#include "support/test_content.h"

#include <QtTest>

#include <cerrno>

namespace {

QByteArray pngOf(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A picture with detail in every pixel, so a lost or doubled payload byte
// cannot go unnoticed.
QImage patterned(QSize size, int seed)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb((x * 7 + seed * 31) % 256, (y * 13 + seed) % 256, (x * y + seed * 5) % 256));
    return image;
}

void writeRaw(const QString& dir, const QByteArray& index, const QByteArray& data)
{
    ArchiveWriter::writeFile(dir + QStringLiteral("E.bt"), index);
    ArchiveWriter::writeFile(dir + QStringLiteral("D.bb"), data);
}

QByteArray recordsOf(const QByteArray& png, int payloadSize)
{
    QByteArray data;
    for (qsizetype at = 0; at < png.size(); at += payloadSize)
        data += ArchiveWriter::dataRecord(png.mid(at, payloadSize));
    return data;
}

QString loadError(const QString& dir, qint32 number)
{
    QString name;
    try {
        LoadArchivePicture(dir, number, name);
    } catch (const GameError& error) {
        return error.message();
    }
    return QStringLiteral("(no error)");
}

}  // namespace

class PictureArchiveTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void roundTrip_data();
    void roundTrip();
    void pictureZeroIsTheFirstRecord();
    void zeroLengthPayloadsAddNothing();
    void nothingIsKeptBetweenCalls();
    void nameRule_data();
    void nameRule();
    void nameWithoutCarriageReturnStillGivesThePicture();
    void damagedArchives_data();
    void damagedArchives();
    void countOfMillionsFailsWithoutReading();
    void fileErrors();
    void openFailureClassification_data();
    void openFailureClassification();
    void ioErrorTexts_data();
    void ioErrorTexts();

private:
    QString m_dir;
    std::unique_ptr<QTemporaryDir> m_temp;
};

void PictureArchiveTest::init()
{
    m_temp = std::make_unique<QTemporaryDir>();
    QVERIFY(m_temp->isValid());
    m_dir = m_temp->path() + QLatin1Char('/');
}

void PictureArchiveTest::roundTrip_data()
{
    QTest::addColumn<int>("payloadSize");
    QTest::newRow("full payloads") << 255;
    QTest::newRow("short payloads") << 100;
    QTest::newRow("one byte per record") << 1;
}

void PictureArchiveTest::roundTrip()
{
    QFETCH(int, payloadSize);
    QList<QImage> images;
    QList<ArchiveWriter::Picture> pictures;
    const QList<QSize> sizes = {{128, 128}, {33, 7}, {1, 1}, {200, 150}, {64, 64}};
    for (int i = 0; i < sizes.size(); ++i) {
        images.append(patterned(sizes.at(i), i));
        pictures.append({pngOf(images.last()), QStringLiteral("Obraz %1").arg(i)});
        // The last payload of each picture is the short one.
        if (payloadSize > 1)
            QVERIFY(pictures.last().png.size() % payloadSize != 0 || i == 2);
    }
    ArchiveWriter::write(m_dir, pictures, payloadSize);
    for (int i = 0; i < images.size(); ++i) {
        QString name;
        QImage loaded;
        try {
            loaded = LoadArchivePicture(m_dir, i, name);
        } catch (const GameError& error) {
            QFAIL(qPrintable(error.message()));
        }
        QCOMPARE(loaded.format(), QImage::Format_RGB32);
        QCOMPARE(loaded, images.at(i));
        QCOMPARE(name, QStringLiteral("Obraz %1").arg(i));
    }
}

void PictureArchiveTest::pictureZeroIsTheFirstRecord()
{
    // The data holds picture 1 first; picture 0's index record points behind it.
    const QByteArray red = TestContent::solidPng({8, 8}, Qt::red);
    const QByteArray blue = TestContent::solidPng({8, 8}, Qt::blue);
    const QByteArray blueRecords = recordsOf(blue, 255);
    const qint32 blueCount = qint32(blueRecords.size() / PictureArchive::dataRecordSize);
    const QByteArray redRecords = recordsOf(red, 255);
    writeRaw(m_dir,
             ArchiveWriter::indexRecord(blueCount, qint32(redRecords.size() / 257), QStringLiteral("czerwony"))
                 + ArchiveWriter::indexRecord(0, blueCount, QStringLiteral("niebieski")),
             blueRecords + redRecords);
    QString name;
    QCOMPARE(LoadArchivePicture(m_dir, 0, name).pixel(3, 3), qRgb(255, 0, 0));
    QCOMPARE(name, QStringLiteral("czerwony"));
    QCOMPARE(LoadArchivePicture(m_dir, 1, name).pixel(3, 3), qRgb(0, 0, 255));
    QCOMPARE(name, QStringLiteral("niebieski"));
}

void PictureArchiveTest::zeroLengthPayloadsAddNothing()
{
    const QImage image = patterned({40, 30}, 3);
    const QByteArray png = pngOf(image);
    QByteArray data = ArchiveWriter::dataRecord({});
    for (qsizetype at = 0; at < png.size(); at += 90)
        data += ArchiveWriter::dataRecord(png.mid(at, 90)) + ArchiveWriter::dataRecord({});
    writeRaw(m_dir, ArchiveWriter::indexRecord(0, qint32(data.size() / 257), {}), data);
    QString name;
    QCOMPARE(LoadArchivePicture(m_dir, 0, name), image);
}

void PictureArchiveTest::nothingIsKeptBetweenCalls()
{
    QString name;
    TestContent::writeArchive(m_dir, {TestContent::solidPng({4, 4}, Qt::green)});
    QCOMPARE(LoadArchivePicture(m_dir, 0, name).pixel(0, 0), qRgb(0, 255, 0));
    TestContent::writeArchive(m_dir, {TestContent::solidPng({6, 6}, Qt::yellow)});
    const QImage replaced = LoadArchivePicture(m_dir, 0, name);
    QCOMPARE(replaced.size(), QSize(6, 6));
    QCOMPARE(replaced.pixel(0, 0), qRgb(255, 255, 0));
    // Both files are closed again: they can be removed at once.
    QVERIFY(QFile::remove(m_dir + QStringLiteral("E.bt")));
    QVERIFY(QFile::remove(m_dir + QStringLiteral("D.bb")));
}

void PictureArchiveTest::nameRule_data()
{
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << QByteArray("\x0b  Gruszka\r", 12) << QStringLiteral("Gruszka");
    QTest::newRow("first two characters never count") << QByteArray("\x07XYab\rcd", 8) << QStringLiteral("ab");
    QTest::newRow("carriage return among the first two is skipped")
        << QByteArray("\x06\r\rab\rc", 7) << QStringLiteral("ab");
    QTest::newRow("no carriage return") << QByteArray("\x09  Gruszka", 10) << QString();
    QTest::newRow("carriage return past the used length")
        << QByteArray("\x05  abc\r", 7) << QString();
    QTest::newRow("empty name") << QByteArray("\x03  \r", 4) << QString();
    QTest::newRow("zero length") << QByteArray("\x00  ab\r", 6) << QString();
    QTest::newRow("Windows-1250 letters")
        << QByteArray("\x0a  \xa3\xb9ka \xbf\r", 11) << QStringLiteral("Łąka ż");
    QByteArray full(43, 'x');
    full[0] = char(42);
    full[42] = '\r';
    QTest::newRow("carriage return as character 42") << full << QString(39, QLatin1Char('x'));
    QByteArray overlong(43, 'x');
    overlong[0] = char(200);
    QTest::newRow("length byte past 42, no carriage return") << overlong << QString();
}

void PictureArchiveTest::nameRule()
{
    QFETCH(QByteArray, field);
    QFETCH(QString, expected);
    QCOMPARE(PictureArchive::nameOf(field), expected);

    // The same field read through a real archive.
    const QByteArray png = TestContent::solidPng({2, 2}, Qt::white);
    const QByteArray data = recordsOf(png, 255);
    writeRaw(m_dir, ArchiveWriter::indexRecordWithField(0, qint32(data.size() / 257), field), data);
    QString name = QStringLiteral("stale");
    LoadArchivePicture(m_dir, 0, name);
    QCOMPARE(name, expected);
}

void PictureArchiveTest::nameWithoutCarriageReturnStillGivesThePicture()
{
    const QByteArray data = recordsOf(TestContent::solidPng({5, 3}, Qt::cyan), 255);
    writeRaw(m_dir, ArchiveWriter::indexRecordWithField(0, qint32(data.size() / 257), QByteArray("\x05  abc")), data);
    QString name = QStringLiteral("stale");
    const QImage image = LoadArchivePicture(m_dir, 0, name);
    QVERIFY(name.isEmpty());
    QCOMPARE(image.size(), QSize(5, 3));
}

void PictureArchiveTest::damagedArchives_data()
{
    QTest::addColumn<QByteArray>("index");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<qint32>("number");
    QTest::addColumn<QString>("expected");

    const QByteArray png = TestContent::solidPng({4, 4}, Qt::magenta);
    const QByteArray records = recordsOf(png, 255);
    const qint32 count = qint32(records.size() / 257);
    const QByteArray good = ArchiveWriter::indexRecord(0, count, QStringLiteral("a"));
    const QString beyond = QStringLiteral("Czytanie za końcem pliku");

    QTest::newRow("number at the end of the index") << good << records << 1 << beyond;
    QTest::newRow("number far beyond the index") << good << records << 1000000 << beyond;
    QTest::newRow("largest number") << good << records << std::numeric_limits<qint32>::max() << beyond;
    QTest::newRow("index record cut short") << good + good.left(30) << records << 1 << beyond;
    QTest::newRow("empty index") << QByteArray() << records << 0 << beyond;
    QTest::newRow("negative number") << good << records << -1 << QStringLiteral("I/O błąd 131");
    QTest::newRow("smallest number") << good << records << std::numeric_limits<qint32>::min()
                                     << QStringLiteral("I/O błąd 131");
    QTest::newRow("negative First") << ArchiveWriter::indexRecord(-3, count, {}) << records << 0
                                    << QStringLiteral("I/O błąd 131");
    QTest::newRow("Count past the data") << ArchiveWriter::indexRecord(0, count + 1, {}) << records << 0 << beyond;
    QTest::newRow("First past the data") << ArchiveWriter::indexRecord(count, 1, {}) << records << 0 << beyond;
    QTest::newRow("last data record cut short") << good << records.left(records.size() - 1) << 0 << beyond;
    QTest::newRow("offset past 2^31")
        << ArchiveWriter::indexRecord(std::numeric_limits<qint32>::max() / 257 + 1, 1, {}) << records << 0 << beyond;
    QTest::newRow("First + Count overflowing 32 bits")
        << ArchiveWriter::indexRecord(std::numeric_limits<qint32>::max() - 1, std::numeric_limits<qint32>::max(), {})
        << records << 0 << beyond;
    QTest::newRow("Count zero gives an empty stream") << ArchiveWriter::indexRecord(0, 0, {}) << records << 0
                                                      << QStringLiteral("Brak danych obrazu PNG");
    QTest::newRow("negative Count gives an empty stream") << ArchiveWriter::indexRecord(0, -5, {}) << records << 0
                                                          << QStringLiteral("Brak danych obrazu PNG");
    QTest::newRow("payloads that are not a PNG")
        << ArchiveWriter::indexRecord(0, 1, {}) << ArchiveWriter::dataRecord("not a picture at all") << 0
        << QStringLiteral("Dane obrazu nie są plikiem PNG");
    const QByteArray longer = recordsOf(pngOf(patterned({40, 30}, 1)), 255);
    QTest::newRow("picture missing its last record")
        << ArchiveWriter::indexRecord(0, qint32(longer.size() / 257) - 1, {}) << longer << 0
        << QStringLiteral("Obraz PNG jest niepełny");
}

void PictureArchiveTest::damagedArchives()
{
    QFETCH(QByteArray, index);
    QFETCH(QByteArray, data);
    QFETCH(qint32, number);
    QFETCH(QString, expected);
    writeRaw(m_dir, index, data);
    QCOMPARE(loadError(m_dir, number), expected);
}

void PictureArchiveTest::countOfMillionsFailsWithoutReading()
{
    // A Count of millions over a small file is refused by its size, not by
    // trying to read (and buffer) millions of records.
    const QByteArray records = recordsOf(TestContent::solidPng({4, 4}, Qt::red), 255);
    writeRaw(m_dir, ArchiveWriter::indexRecord(0, 5000000, {}), records);
    QCOMPARE(loadError(m_dir, 0), QStringLiteral("Czytanie za końcem pliku"));

    // Within a file large enough, a Count past what any item picture needs
    // is refused before reading as well.
    const qint32 tooMany = qint32(PictureArchive::maxPictureRecords + 1);
    QFile data(m_dir + QStringLiteral("D.bb"));
    QVERIFY(data.open(QIODevice::ReadWrite));
    QVERIFY(data.resize(qint64(tooMany) * PictureArchive::dataRecordSize));
    data.close();
    ArchiveWriter::writeFile(m_dir + QStringLiteral("E.bt"), ArchiveWriter::indexRecord(0, tooMany, {}));
    QVERIFY(loadError(m_dir, 0).startsWith(QStringLiteral("Obraz nr 0 w archiwum jest za duży")));
}

void PictureArchiveTest::fileErrors()
{
    QCOMPARE(loadError(m_dir, 0), QStringLiteral("Nieznaleziono pliku"));
    QCOMPARE(loadError(m_dir + QStringLiteral("brak/"), 0), QStringLiteral("Nieprawidłowa nazwa pliku"));
    const QString longDir = m_dir + QString(260, QLatin1Char('x')) + QLatin1Char('/');
    QCOMPARE(loadError(longDir, 0), QStringLiteral("Nieprawidłowa nazwa pliku"));
    // A NUL in the folder name is refused as a name, quietly.
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    QCOMPARE(loadError(m_dir.chopped(1) + QChar(0) + QLatin1Char('/'), 0), QStringLiteral("Nieprawidłowa nazwa pliku"));

    // Index present, data missing.
    ArchiveWriter::writeFile(m_dir + QStringLiteral("E.bt"), ArchiveWriter::indexRecord(0, 1, {}));
    QCOMPARE(loadError(m_dir, 0), QStringLiteral("Nieznaleziono pliku"));
    // A folder where the data file should be.
    QVERIFY(QDir(m_dir).mkdir(QStringLiteral("D.bb")));
    QCOMPARE(loadError(m_dir, 0), QStringLiteral("Odmówiono dostępu do pliku"));
}

void PictureArchiveTest::openFailureClassification_data()
{
    QTest::addColumn<int>("systemError");
    QTest::addColumn<bool>("tooLong");
    QTest::addColumn<bool>("parentExists");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<bool>("isDirectory");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<int>("code");
    QTest::newRow("missing file") << ENOENT << false << true << false << false << false << 2;
    QTest::newRow("missing folder") << ENOENT << false << false << false << false << false << 3;
    QTest::newRow("path too long") << 0 << true << true << true << false << true << 3;
    QTest::newRow("name too long for the system") << ENAMETOOLONG << false << true << false << false << false << 3;
    QTest::newRow("too many open files") << EMFILE << false << true << true << false << true << 4;
    QTest::newRow("system out of file handles") << ENFILE << false << true << true << false << true << 4;
    QTest::newRow("no permission") << EACCES << false << true << true << false << false << 5;
    QTest::newRow("a folder") << EISDIR << false << true << true << true << true << 5;
    QTest::newRow("unknown reason, platform silent") << 0 << false << true << true << false << true << 30;
    QTest::newRow("other system reason") << EIO << false << true << true << false << true << EIO;
}

void PictureArchiveTest::openFailureClassification()
{
    QFETCH(int, systemError);
    QFETCH(bool, tooLong);
    QFETCH(bool, parentExists);
    QFETCH(bool, exists);
    QFETCH(bool, isDirectory);
    QFETCH(bool, readable);
    QFETCH(int, code);
    IoError::OpenFacts facts;
    facts.systemError = systemError;
    facts.pathTooLong = tooLong;
    facts.parentExists = parentExists;
    facts.exists = exists;
    facts.isDirectory = isDirectory;
    facts.readable = readable;
    QCOMPARE(IoError::classifyOpenFailure(facts), code);
}

void PictureArchiveTest::ioErrorTexts_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("2") << 2 << QStringLiteral("Nieznaleziono pliku");
    QTest::newRow("3") << 3 << QStringLiteral("Nieprawidłowa nazwa pliku");
    QTest::newRow("4") << 4 << QStringLiteral("Zbyt dużo otwartych plików");
    QTest::newRow("5") << 5 << QStringLiteral("Odmówiono dostępu do pliku");
    QTest::newRow("100") << 100 << QStringLiteral("Czytanie za końcem pliku");
    QTest::newRow("other") << 103 << QStringLiteral("I/O błąd 103");
}

void PictureArchiveTest::ioErrorTexts()
{
    QFETCH(int, code);
    QFETCH(QString, text);
    QCOMPARE(IoError::text(code), text);
}

QTEST_MAIN(PictureArchiveTest)
#include "test_picture_archive.moc"
