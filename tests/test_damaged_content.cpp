// SPDX-License-Identifier: GPL-3.0-or-later
// Damaged content met through the window: a pupil presses a level button
// while a content file is broken. Each fault ends that press with exactly one
// error box carrying its Polish text, the game keeps answering, and once the
// content is whole again the next press deals a normal game.
#include "play_fixture.h"

#include "content/item_list.h"
#include "content/picture_archive.h"

#include <QtEndian>
#include <algorithm>
#include <zlib.h>

namespace {

enum Fault {
    IndexTruncated,
    DataTruncated,
    CountPastData,
    NegativeFirst,
    CorruptPng,
    PngBomb,
    ListDeleted,
    ListTooShort,
    LineWithoutCode,
    NonNumericCode,
    EmptyList,
};
// Where the press meets the fault, added to the fault: in a timed round,
// after a game won on the same level, after one won on the other frame.
constexpr int InRound = 0x100, AfterAGame = 0x200, AfterOtherFrameGame = 0x400;

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return file.readAll();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// Rewrites First or Count (byte 0 or 4) of every index record.
void setIndexField(const QString& base, int offset, qint32 value)
{
    QByteArray index = readAll(base + QStringLiteral("E.bt"));
    for (qsizetype at = 0; at + PictureArchive::indexRecordSize <= index.size(); at += PictureArchive::indexRecordSize)
        qToLittleEndian(value, index.data() + at + offset);
    writeAll(base + QStringLiteral("E.bt"), index);
}

// A PNG whose header claims `side` × `side` pixels over a few bytes of data:
// decoding it as stated would need gigabytes.
QByteArray pngBomb(quint32 side)
{
    QByteArray png = TestContent::solidPng(QSize(2, 2), Qt::red);
    qToBigEndian(side, png.data() + 16);
    qToBigEndian(side, png.data() + 20);
    const auto crc = quint32(crc32(0, reinterpret_cast<const Bytef*>(png.constData() + 12), 17));
    qToBigEndian(crc, png.data() + 29);
    return png;
}

// The list lines of `file` with `change` applied, written back in our format.
template <class Change>
void editList(const QString& base, const QString& file, Change change)
{
    QStringList lines = decodeItemList(readAll(base + file));
    change(lines);
    writeAll(base + file, encodeItemList(lines));
}

void damage(Fault fault, const QString& base)
{
    switch (fault) {
    case IndexTruncated:   // one whole record and part of the next
        writeAll(base + QStringLiteral("E.bt"), readAll(base + QStringLiteral("E.bt")).left(76));
        break;
    case DataTruncated:    // not even one whole data record is left
        writeAll(base + QStringLiteral("D.bb"), readAll(base + QStringLiteral("D.bb")).left(200));
        break;
    case CountPastData:
        setIndexField(base, 4, qint32(QFileInfo(base + QStringLiteral("D.bb")).size() / PictureArchive::dataRecordSize + 1));
        break;
    case NegativeFirst:
        setIndexField(base, 0, -1);
        break;
    case CorruptPng: {
        // One bit of every picture's header checksum flipped, in place.
        const QByteArray index = readAll(base + QStringLiteral("E.bt"));
        QByteArray data = readAll(base + QStringLiteral("D.bb"));
        for (qsizetype at = 0; at + PictureArchive::indexRecordSize <= index.size(); at += PictureArchive::indexRecordSize) {
            const qint32 first = qFromLittleEndian<qint32>(index.constData() + at);
            data[first * 257 + 2 + 29] = char(data[first * 257 + 2 + 29] ^ 0x01);
        }
        writeAll(base + QStringLiteral("D.bb"), data);
        break;
    }
    case PngBomb:
        TestContent::writeArchive(base, QList<QByteArray>(24, pngBomb(60000)));
        break;
    case ListDeleted:
        QVERIFY(QFile::remove(base + QStringLiteral("F.tx")));
        break;
    case ListTooShort:     // level 2 deals four items from F.tx
        editList(base, QStringLiteral("F.tx"), [](QStringList& lines) { lines = lines.mid(0, 3); });
        break;
    case LineWithoutCode:
        editList(base, QStringLiteral("G.tx"), [](QStringList& lines) { lines[3] = QStringLiteral("abc"); });
        break;
    case NonNumericCode:
        editList(base, QStringLiteral("H.tx"), [](QStringList& lines) {
            for (QString& line : lines)
                line.replace(0, 5, QStringLiteral("12a45"));
        });
        break;
    case EmptyList:
        writeAll(base + QStringLiteral("F.tx"), QByteArray());
        break;
    }
}

}  // namespace

class TestDamagedContent : public QObject {
    Q_OBJECT
private slots:
    void levelPressOnDamagedContent_data();
    void levelPressOnDamagedContent();
};

void TestDamagedContent::levelPressOnDamagedContent_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<int>("level");
    // The box's text; "<B>" stands for the content directory. A text ending
    // in "(" is the start of the box's text, the decoder's detail following.
    QTest::addColumn<QString>("expected");

    const QString pastEnd = QStringLiteral("Czytanie za końcem pliku.");
    QTest::newRow("index truncated") << int(IndexTruncated) << 0 << pastEnd;
    QTest::newRow("data truncated") << int(DataTruncated) << 1 << pastEnd;
    QTest::newRow("count past the data") << int(CountPastData) << 0 << pastEnd;
    QTest::newRow("negative first") << int(NegativeFirst) << 2 << QStringLiteral("I/O błąd 131.");
    QTest::newRow("corrupt png") << int(CorruptPng) << 0 << QStringLiteral("Obraz PNG ma błędną sumę kontrolną (");
    QTest::newRow("png bomb") << int(PngBomb) << 1
                              << QStringLiteral("Obraz PNG jest za duży (dopuszczalne są najwyżej 8192 piksele z boku i "
                                                "16777216 pikseli w sumie)");
    QTest::newRow("list deleted after start")
        << int(ListDeleted) << 0
        << QStringLiteral("Nie można otworzyć pliku \"<B>F.tx\". Nie można odnaleźć określonego pliku.");
    QTest::newRow("list shorter than the level needs")
        << int(ListTooShort) << 1
        << QStringLiteral("Lista przedmiotów \"<B>F.tx\" ma za mało wierszy: 3, a półka potrzebuje co najmniej 4.");
    QTest::newRow("line without its picture code")
        << int(LineWithoutCode) << 2
        << QStringLiteral("Wiersz 4 listy przedmiotów \"<B>G.tx\" nie zaczyna się pięcioznakowym kodem obrazka.");
    QTest::newRow("non-numeric picture code")
        << int(NonNumericCode) << 3 << QStringLiteral("'12a45' nie jest poprawną wartością liczbową.");
    QTest::newRow("empty list")
        << int(EmptyList) << 0
        << QStringLiteral("Lista przedmiotów \"<B>F.tx\" ma za mało wierszy: 0, a półka potrzebuje co najmniej 3.");

    // A failure met while a game or a round was on leaves no game that cannot be won, and charges nothing.
    QTest::newRow("list deleted at a round's first press")
        << int(ListDeleted | InRound) << 0
        << QStringLiteral("Nie można otworzyć pliku \"<B>F.tx\". Nie można odnaleźć określonego pliku.");
    QTest::newRow("picture broken at the next game of a round")
        << int(CorruptPng | InRound | AfterAGame) << 0 << QStringLiteral("Obraz PNG ma błędną sumę kontrolną (");
    QTest::newRow("archive cut short after a game on the same frame") << int(DataTruncated | AfterAGame) << 1 << pastEnd;
    QTest::newRow("list too short after a game on the other frame")
        << int(ListTooShort | AfterOtherFrameGame) << 1
        << QStringLiteral("Lista przedmiotów \"<B>F.tx\" ma za mało wierszy: 3, a półka potrzebuje co najmniej 4.");
}

void TestDamagedContent::levelPressOnDamagedContent()
{
    QFETCH(int, fault);
    QFETCH(int, level);
    QFETCH(QString, expected);

    PlayFixture game;
    if (fault & InRound)
        game.toggleWarmPlay();
    if (fault & (AfterAGame | AfterOtherFrameGame)) {
        game.pressLevel(fault & AfterAGame ? level : level == 0 ? 1 : 0);
        game.winByPointing();
    }
    const QString base = game.ps().Base_B;
    expected.replace(QStringLiteral("<B>"), base);
    damage(Fault(fault & 0xFF), base);
    if (QTest::currentTestFailed())
        return;

    QTest::mouseClick(game.levelButton(level), Qt::LeftButton);
    QCOMPARE(game.boxes.boxes.size(), 1);
    const Dialogs::Box box = game.boxes.boxes.first();
    QCOMPARE(box.kind, Dialogs::Box::Error);
    if (expected.endsWith(QLatin1Char('(')))
        QVERIFY2(box.text.startsWith(expected) && box.text.size() > expected.size(), qPrintable(box.text));
    else
        QCOMPARE(box.text, expected);

    // Nothing of a game is left on the table, and the clock stands still.
    const QList<Panel*> panels = game.form->findChildren<Panel*>();
    QVERIFY(std::none_of(panels.begin(), panels.end(),
                         [](const Panel* p) { return tagOf(p) >= 100 && tagOf(p) <= 211 && p->isVisible(); }));
    QCOMPARE(game.description()->plainText(), QString());
    const int clock = game.clockPosition();
    game.tick(20);
    QCOMPARE(game.clockPosition(), clock);

    // The game still answers: a mode button takes, and nothing else pops up.
    QTest::mouseClick(game.button(QStringLiteral("sb_Mode_2")), Qt::LeftButton);
    QCOMPARE(game.ps().N_Mode, 2);
    QCOMPARE(game.boxes.boxes.size(), 1);

    // Content made whole again: the next press deals a normal game, without
    // a question, charging nothing; in a round its clock runs from there.
    TestContent::writeContentDir(base, 8);
    QTest::mouseClick(game.levelButton(level), Qt::LeftButton);
    QCOMPARE(game.boxes.boxes.size(), 1);
    QCOMPARE(game.clockPosition(), clock);
    game.tick();
    QCOMPARE(game.clockPosition(), clock + (fault & InRound ? 1 : 0));
    PlayState& ps = game.ps();
    const int items = level == 0 ? 3 : 4;
    QCOMPARE(ps.N_Level, level);
    QCOMPARE(ps.N_Self, level == 0 ? 6 : 12);
    QVERIFY(ps.Correct_S >= 0 && ps.Correct_S < ps.N_Self);
    QCOMPARE(game.shownShelves(), ps.N_Self);
    QCOMPARE(ps.N_Mode, 2);
    for (int i = 0; i < ps.N_Self; ++i) {
        const QString& codes = ps.T_Pic_Self[size_t(i)].Pict;
        QCOMPARE(codes.size(), 5 * items);
        for (int k = 0; k < items; ++k) {
            const QImage& tile = game.item(i, k)->picture();
            QVERIFY(!tile.isNull());
            QCOMPARE(tile.pixel(tile.width() / 2, tile.height() / 2) | 0xFF000000,
                     TestContent::pictureColour(codes.mid(5 * k, 5).toInt()).rgb());
        }
    }
}

QTEST_MAIN(TestDamagedContent)
#include "test_damaged_content.moc"
