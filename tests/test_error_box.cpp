// SPDX-License-Identifier: GPL-3.0-or-later
// The top-level error box: its text rule and the guard that every user
// action runs in.
#include "app/action_guard.h"
#include "support/test_support.h"

#include <QTest>

class TestErrorBox : public QObject {
    Q_OBJECT
private slots:
    void fullStopRule_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("plain word") << "Nieznaleziono pliku" << "Nieznaleziono pliku.";
        QTest::newRow("ends with full stop") << "Koniec." << "Koniec.";
        QTest::newRow("ends with blank") << "Brak " << "Brak ";
        QTest::newRow("ends with '!' (33)") << "Uwaga!" << "Uwaga!";
        QTest::newRow("ends with '-' (45)") << "a-" << "a-";
        QTest::newRow("ends with '/' (47)") << "a/" << "a/.";
        QTest::newRow("ends with digit") << "I/O błąd 103" << "I/O błąd 103.";
        QTest::newRow("ends with Polish letter") << "Za mało pamięci" << "Za mało pamięci.";
        QTest::newRow("ends with quote (34)") << "Plik \"x\"" << "Plik \"x\"";
        QTest::newRow("empty") << "" << "";
    }
    void fullStopRule()
    {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QCOMPARE(errorBoxText(message), shown);
    }

    void guardShowsOneBoxAndKeepsWhatWasDone()
    {
        BoxRecorder recorder;
        int steps = 0;
        guardedAction([&] {
            ++steps;
            throw GameError(QStringLiteral("Czytanie za końcem pliku"));
            ++steps;  // never reached
        });
        QCOMPARE(steps, 1);
        QCOMPARE(recorder.boxes.size(), 1);
        QCOMPARE(recorder.boxes[0].kind, Dialogs::Box::Error);
        QCOMPARE(recorder.boxes[0].caption, QStringLiteral("Trefolia"));
        QCOMPARE(recorder.boxes[0].text, QStringLiteral("Czytanie za końcem pliku."));
    }

    void guardIsSilentWithoutError()
    {
        BoxRecorder recorder;
        bool ran = false;
        guardedAction([&] { ran = true; });
        QVERIFY(ran);
        QVERIFY(recorder.boxes.isEmpty());
    }
};

QTEST_MAIN(TestErrorBox)
#include "test_error_box.moc"
