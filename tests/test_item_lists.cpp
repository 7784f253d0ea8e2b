// SPDX-License-Identifier: GPL-3.0-or-later
// Guards the reading of the item lists: the same list gives the same lines
// in every encoding a Polish author may save it in, lines break where the
// author broke them, the name rule picks the forms from their columns, and
// a list a level cannot be dealt from is refused with a clear message.
#include "content/game_error.h"
#include "content/item_list.h"
#include "content/windows1250.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QtTest>

namespace {

const QStringList polishLines = {
    QStringLiteral("00003    Źdźbło                        Źdźbła                        Źdźbłem"),
    QStringLiteral("00012    Gęś                           Gęsi                          Gęsią"),
    QStringLiteral("00007    Żółć                          Żółci                         Żółcią"),
    QStringLiteral("00001    Łąka                          Łąki                          Łąką"),
};

QString errorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const GameError& error) {
        return error.message();
    }
    return QStringLiteral("(no error)");
}

}  // namespace

class ItemLists : public QObject {
    Q_OBJECT
private slots:
    void encodingsGiveTheSameLines_data();
    void encodingsGiveTheSameLines();
    void windows1250MatchesTheSystemTable();
    void lineBreaks_data();
    void lineBreaks();
    void nameRule_data();
    void nameRule();
    void pictureNumbers_data();
    void pictureNumbers();
    void levelCheck_data();
    void levelCheck();
    void loadFromFile();
    void openErrorNamesThePath();
    void writtenListReadsBack();
};

void ItemLists::encodingsGiveTheSameLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QString text = polishLines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    QTest::newRow("Windows-1250 without BOM") << Windows1250::encode(text);
    QStringEncoder le(QStringConverter::Utf16LE);
    QTest::newRow("UTF-16 LE") << QByteArray("\xFF\xFE") + QByteArray(le.encode(text));
    QStringEncoder be(QStringConverter::Utf16BE);
    QTest::newRow("UTF-16 BE") << QByteArray("\xFE\xFF") + QByteArray(be.encode(text));
}

void ItemLists::encodingsGiveTheSameLines()
{
    QFETCH(QByteArray, bytes);
    QCOMPARE(decodeItemList(bytes), polishLines);
}

void ItemLists::windows1250MatchesTheSystemTable()
{
    // Our own table against ICU's, where this Qt has it.
    QStringDecoder system("windows-1250");
    if (!system.isValid())
        QSKIP("this Qt has no Windows-1250 codec to compare with");
    QByteArray all;
    for (int byte = 0x80; byte <= 0xFF; ++byte)
        if (byte != 0x81 && byte != 0x83 && byte != 0x88 && byte != 0x90 && byte != 0x98)
            all.append(char(byte));
    QCOMPARE(Windows1250::decode(all), QString(system.decode(all)));
    QCOMPARE(Windows1250::encode(Windows1250::decode(all)), all);
    QCOMPARE(Windows1250::encode(QStringLiteral("ąę€中")), QByteArray("\xB9\xEA\x80?"));
}

void ItemLists::lineBreaks_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("last line without break") << QByteArray("a\r\nb") << QStringList{"a", "b"};
    QTest::newRow("break at the end adds nothing") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("lone LF") << QByteArray("a\nb\n") << QStringList{"a", "b"};
    QTest::newRow("lone CR") << QByteArray("a\rb\r") << QStringList{"a", "b"};
    QTest::newRow("LF CR is two breaks") << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
    QTest::newRow("empty lines count") << QByteArray("a\r\n\r\n\r\nb") << QStringList{"a", "", "", "b"};
    QTest::newRow("empty lines at the end") << QByteArray("a\r\n\r\n\r\n") << QStringList{"a", "", ""};
    QTest::newRow("blanks kept") << QByteArray("  a  \r\n\t") << QStringList{"  a  ", "\t"};
    QTest::newRow("NUL ends the text") << QByteArray("a\r\nb\0c\r\nd", 9) << QStringList{"a", "b"};
    QTest::newRow("NUL in UTF-16") << QByteArray("\xFF\xFE" "a\0\n\0\0\0b\0", 10) << QStringList{"a"};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("BOM only") << QByteArray("\xEF\xBB\xBF") << QStringList{};
    QTest::newRow("single break") << QByteArray("\r\n") << QStringList{""};
}

void ItemLists::lineBreaks()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QCOMPARE(decodeItemList(bytes), lines);
}

void ItemLists::nameRule_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("form");
    QTest::addColumn<QString>("expected");
    const QString nine = QStringLiteral("00001    ");
    const QString f29 = QString(29, QChar(u'ż'));
    const QString f30 = QString(30, QChar(u'ż'));
    QTest::newRow("form 0") << polishLines.at(1) << 0 << QStringLiteral("Gęś");
    QTest::newRow("form 1") << polishLines.at(1) << 1 << QStringLiteral("Gęsi");
    QTest::newRow("form 2 ends the line") << polishLines.at(1) << 2 << QStringLiteral("Gęsią");
    QTest::newRow("form 3 beyond the line") << polishLines.at(1) << 3 << QString();
    QTest::newRow("negative form") << polishLines.at(1) << -1 << QString();
    QTest::newRow("only a picture code") << QStringLiteral("00001") << 0 << QString();
    QTest::newRow("only a code, form 2") << QStringLiteral("00001") << 2 << QString();
    QTest::newRow("29 characters then a blank") << nine + f29 + QStringLiteral(" x") << 0 << f29;
    QTest::newRow("29 characters then the end") << nine + f29 << 0 << f29;
    QTest::newRow("30 characters read as empty") << nine + f30 << 0 << QString();
    QTest::newRow("30 characters then more") << nine + f30 + QStringLiteral("Gruszki") << 1 << QStringLiteral("Gruszki");
    QTest::newRow("field starting with a blank") << nine + QStringLiteral(" Gruszka") << 0 << QString();
    QTest::newRow("two words keep the first") << nine + QStringLiteral("Czarna porzeczka") << 0 << QStringLiteral("Czarna");
    QTest::newRow("capital kept as stored") << nine + QStringLiteral("ŚLIWKA") << 0 << QStringLiteral("ŚLIWKA");
    QTest::newRow("tab is not a blank") << nine + QStringLiteral("a\tb c") << 0 << QStringLiteral("a\tb");
    QTest::newRow("short line, form starts late") << QStringLiteral("00001   ") << 0 << QString();
}

void ItemLists::nameRule()
{
    QFETCH(QString, line);
    QFETCH(int, form);
    QFETCH(QString, expected);
    QCOMPARE(nameForm(line, form), expected);
}

void ItemLists::pictureNumbers_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("valid");
    QTest::newRow("zero-padded") << "00012" << 12 << true;
    QTest::newRow("zero") << "00000" << 0 << true;
    QTest::newRow("all nines") << "99999" << 99999 << true;
    QTest::newRow("plus sign") << "+0012" << 12 << true;
    QTest::newRow("minus sign") << "-0012" << -12 << true;
    QTest::newRow("largest int") << "2147483647" << 2147483647 << true;
    QTest::newRow("smallest int") << "-2147483648" << int(-2147483648LL) << true;
    QTest::newRow("past int") << "2147483648" << 0 << false;
    QTest::newRow("leading blank") << " 0012" << 0 << false;
    QTest::newRow("trailing blank") << "0012 " << 0 << false;
    QTest::newRow("letter") << "00l12" << 0 << false;
    QTest::newRow("hex") << "0x0C" << 0 << false;
    QTest::newRow("sign only") << "+" << 0 << false;
    QTest::newRow("two signs") << "+-001" << 0 << false;
    QTest::newRow("empty") << "" << 0 << false;
    QTest::newRow("Arabic-Indic digits") << QStringLiteral("٠٠٠١٢") << 0 << false;
}

void ItemLists::pictureNumbers()
{
    QFETCH(QString, code);
    QFETCH(int, number);
    QFETCH(bool, valid);
    if (valid) {
        QCOMPARE(pictureNumberOf(code), number);
    } else {
        QCOMPARE(errorOf([&] { pictureNumberOf(code); }),
                 QStringLiteral("'%1' nie jest poprawną wartością liczbową").arg(code));
    }
}

void ItemLists::levelCheck_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("perShelf");
    QTest::addColumn<QString>("error");
    const QStringList four = {"00001", "00002", "00003", "00004"};
    QTest::newRow("exactly enough") << four << 4 << QString();
    QTest::newRow("empty lines at the end are harmless") << four + QStringList{"", ""} << 4 << QString();
    QTest::newRow("three lines for a shelf of four")
        << QStringList{"00001", "00002", "00003", "", ""} << 4
        << QStringLiteral("Lista przedmiotów \"/x/F.tx\" ma za mało wierszy: 3, a półka potrzebuje co najmniej 4");
    QTest::newRow("three lines are enough for level 1") << QStringList{"00001", "00002", "00003"} << 3 << QString();
    QTest::newRow("empty line in the middle")
        << QStringList{"00001", "", "00003", "00004", "00005"} << 4
        << QStringLiteral("Wiersz 2 listy przedmiotów \"/x/F.tx\" nie zaczyna się pięcioznakowym kodem obrazka");
    QTest::newRow("short line")
        << QStringList{"00001", "00002", "0003", "00004"} << 4
        << QStringLiteral("Wiersz 3 listy przedmiotów \"/x/F.tx\" nie zaczyna się pięcioznakowym kodem obrazka");
    QTest::newRow("empty list") << QStringList{} << 3
                                << QStringLiteral("Lista przedmiotów \"/x/F.tx\" ma za mało wierszy: 0, a półka potrzebuje co najmniej 3");
}

void ItemLists::levelCheck()
{
    QFETCH(QStringList, lines);
    QFETCH(int, perShelf);
    QFETCH(QString, error);
    const QString got = errorOf([&] { checkItemListForLevel(lines, perShelf, QStringLiteral("/x/F.tx")); });
    QCOMPARE(got, error.isEmpty() ? QStringLiteral("(no error)") : error);
}

void ItemLists::loadFromFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("G.tx"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(Windows1250::encode(polishLines.join(QStringLiteral("\r\n"))));
    file.close();
    QCOMPARE(loadItemList(path), polishLines);
}

void ItemLists::openErrorNamesThePath()
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("H.tx"));
    QCOMPARE(errorOf([&] { loadItemList(missing); }),
             QStringLiteral("Nie można otworzyć pliku \"%1\". Nie można odnaleźć określonego pliku.").arg(missing));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("F.tx")));
    const QString folder = dir.filePath(QStringLiteral("F.tx"));
    QCOMPARE(errorOf([&] { loadItemList(folder); }),
             QStringLiteral("Nie można otworzyć pliku \"%1\". Odmowa dostępu.").arg(folder));

    // A file far larger than any list is refused rather than read whole.
    const QString huge = dir.filePath(QStringLiteral("G.tx"));
    QFile big(huge);
    QVERIFY(big.open(QIODevice::WriteOnly));
    QVERIFY(big.resize(ItemList::maxFileSize + 1));
    big.close();
    QVERIFY(errorOf([&] { loadItemList(huge); }).startsWith(QStringLiteral("Plik \"%1\" jest za duży").arg(huge)));
}

void ItemLists::writtenListReadsBack()
{
    const QStringList forms = {QStringLiteral("Brzoskwinia"), QStringLiteral("Brzoskwini"), QStringLiteral("Brzoskwinią")};
    const QString line = formatItemLine(42, forms);
    QCOMPARE(line.left(9), QStringLiteral("00042    "));
    QCOMPARE(line.size(), 9 + 3 * 30);
    const QStringList lines = decodeItemList(encodeItemList({line, formatItemLine(7, {})}));
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.at(1), QStringLiteral("00007"));
    for (int f = 0; f < 3; ++f)
        QCOMPARE(nameForm(lines.at(0), f), forms.at(f));
    QCOMPARE(pictureNumberOf(lines.at(0).left(5)), 42);
}

QTEST_MAIN(ItemLists)
#include "test_item_lists.moc"
