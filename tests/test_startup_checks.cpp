// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up checks: the content directory, its eight files, the screen
// density and the screen size are tested in that order, the first failure
// alone is reported in one box, and a refused window closes itself.
#include "app/artwork.h"
#include "app/cursors.h"
#include "app/hints.h"
#include "app/startup_messages.h"
#include "app/t_form.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <filesystem>

namespace {

const QStringList kFiles{"A.wv", "B.wv", "C.wv", "D.bb", "E.bt", "F.tx", "G.tx", "H.tx"};
const QString kRefused = QStringLiteral("Program nie może być uruchomiony");

void compareBox(const Dialogs::Box& box, const QString& text, const QString& caption)
{
    QCOMPARE(box.kind, Dialogs::Box::Tell);
    QCOMPARE(box.text, text);
    QCOMPARE(box.caption, caption);
}

}  // namespace

class TestStartupChecks : public QObject {
    Q_OBJECT
private slots:
    void missingDirectory()
    {
        QTemporaryDir dir;
        StartupEnvironment env;
        env.programDir = dir.path();
        env.screenDpi = 120;  // would be refused too, but is never tested
        BoxRecorder recorder;
        T_Form form(env);
        QCOMPARE(recorder.boxes.size(), 1);
        compareBox(recorder.boxes[0], "Brak " + dir.path() + "/Base/ ", kRefused);
        const PlayState& ps = form.playState();
        QVERIFY(ps.Miss_Base);
        QVERIFY(!ps.Miss_Resolution);
        QVERIFY(!ps.Miss_LCD);
        QCOMPARE(ps.Base_B, dir.path() + "/Base/");
        QCOMPARE(ps.Base_W, dir.path() + "/Work/");
        // Later steps were not done.
        QCOMPARE(ps.N_Level, 0);
        QVERIFY(!ps.B_Sound);
    }

    void aFileNamedBaseIsNoDirectory()
    {
        QTemporaryDir dir;
        QFile f(dir.filePath("Base"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        StartupEnvironment env;
        env.programDir = dir.path();
        BoxRecorder recorder;
        T_Form form(env);
        QCOMPARE(recorder.boxes.size(), 1);
        compareBox(recorder.boxes[0], "Brak " + dir.path() + "/Base/ ", kRefused);
        QVERIFY(form.playState().Miss_Base);
    }

    // As installed, Base beside the program is a relative link to the content
    // elsewhere, followed from where the link lies.
    void contentThroughRelativeLink()
    {
        QTemporaryDir share, program;
        StartupEnvironment env = programIn(share);
        const QString target = QDir(program.path()).relativeFilePath(share.filePath("Base"));
        QVERIFY(QDir::isRelativePath(target));
        std::filesystem::create_directory_symlink(target.toStdString(), program.filePath("Base").toStdString());
        env.programDir = program.path();
        BoxRecorder recorder;
        T_Form form(env);
        QVERIFY(recorder.boxes.isEmpty());
        QVERIFY(!form.playState().Miss_Base);
    }

    void firstMissingFileOnly_data()
    {
        QTest::addColumn<QStringList>("missing");
        QTest::addColumn<QString>("reported");
        for (const QString& file : kFiles)
            QTest::newRow(qPrintable(file)) << QStringList{file} << file;
        QTest::newRow("C.wv and F.tx") << QStringList{"F.tx", "C.wv"} << "C.wv";
        QTest::newRow("all") << kFiles << "A.wv";
        QTest::newRow("the archive pair") << QStringList{"E.bt", "D.bb"} << "D.bb";
    }
    void firstMissingFileOnly()
    {
        QFETCH(QStringList, missing);
        QFETCH(QString, reported);
        QTemporaryDir dir;
        BoxRecorder recorder;
        T_Form form(programIn(dir, missing, 120));
        QCOMPARE(recorder.boxes.size(), 1);
        compareBox(recorder.boxes[0], "Brak " + dir.path() + "/Base/" + reported, kRefused);
        QVERIFY(form.playState().Miss_Base);
        QVERIFY(!form.playState().Miss_Resolution);
    }

    void programDirectoryWithTrailingSeparator()
    {
        QTemporaryDir dir;
        StartupEnvironment env = programIn(dir);
        env.programDir += '/';
        BoxRecorder recorder;
        T_Form form(env);
        QVERIFY(recorder.boxes.isEmpty());
        QCOMPARE(form.playState().Base_S, dir.path() + "/");
        QCOMPARE(form.playState().Base_B, dir.path() + "/Base/");
    }

    void missingFileReport()
    {
        QTemporaryDir dir;
        const QString present = dir.filePath("A.wv");
        QFile f(present);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        BoxRecorder recorder;
        QVERIFY(!ReportMissingFile(present));
        QVERIFY(recorder.boxes.isEmpty());

        // Links are followed: a link to a file is the file, a dangling one is nothing.
        QVERIFY(QFile::link(present, dir.filePath("link.wv")));
        QVERIFY(!ReportMissingFile(dir.filePath("link.wv")));
        QVERIFY(QFile::link(dir.filePath("gone.wv"), dir.filePath("dangling.wv")));
        QVERIFY(ReportMissingFile(dir.filePath("dangling.wv")));
        // A directory in a content file's place cannot be read as one.
        QVERIFY(QDir(dir.path()).mkdir("B.wv"));
        QVERIFY(ReportMissingFile(dir.filePath("B.wv")));
        QCOMPARE(recorder.boxes.size(), 2);
        compareBox(recorder.boxes[0], "Brak " + dir.filePath("dangling.wv"), kRefused);
        compareBox(recorder.boxes[1], "Brak " + dir.filePath("B.wv"), kRefused);
    }

    void densityRefusedBeforeSize()
    {
        QTemporaryDir dir;
        BoxRecorder recorder;
        T_Form form(programIn(dir, {}, 120, QSize(640, 480)));
        QCOMPARE(recorder.boxes.size(), 1);
        compareBox(recorder.boxes[0],
                   "Rozdzielczość monitora jest ustawiona niestandardowo na 120 ppi - program nie może być uruchomiony",
                   "Rozdzielczość monitora w ppi");
        QVERIFY(form.playState().Miss_Resolution);
        QVERIFY(!form.playState().Miss_Base);
        QVERIFY(!form.playState().Miss_LCD);
    }

    void screenSize_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("exactly 800 x 600") << QSize(800, 600) << true;
        QTest::newRow("1024 x 576") << QSize(1024, 576) << false;
        QTest::newRow("799 wide") << QSize(799, 1200) << false;
        QTest::newRow("599 high") << QSize(1920, 599) << false;
        QTest::newRow("large") << QSize(1920, 1080) << true;
    }
    void screenSize()
    {
        QFETCH(QSize, screen);
        QFETCH(bool, accepted);
        QTemporaryDir dir;
        BoxRecorder recorder;
        T_Form form(programIn(dir, {}, 96, screen));
        QCOMPARE(form.playState().Miss_LCD, !accepted);
        QCOMPARE(recorder.boxes.isEmpty(), accepted);
        if (!accepted) {
            QCOMPARE(recorder.boxes.size(), 1);
            compareBox(recorder.boxes[0],
                       QStringLiteral("Wielkość monitora wynosi %1 x%2. Wielkość programu to 800 x 600. Program nie "
                                      "mieści się na ekranie monitora i nie zostanie uruchomiony.")
                           .arg(screen.width())
                           .arg(screen.height()),
                       "Własności MONITORA");
            QCOMPARE(form.playState().N_Level, 0);
        }
    }

    void stateAfterSuccessfulStart()
    {
        QTemporaryDir dir;
        setHintHidePause(1);
        BoxRecorder recorder;
        T_Form form(programIn(dir));
        QVERIFY(recorder.boxes.isEmpty());
        const PlayState& ps = form.playState();
        QCOMPARE(ps.Base_S, dir.path() + "/");
        QVERIFY(!ps.Miss_Base && !ps.Miss_Resolution && !ps.Miss_LCD);
        QCOMPARE(ps.N_Level, -1);
        QCOMPARE(ps.T_Level, 0);
        QCOMPARE(ps.N_Self, 0);
        QCOMPARE(ps.Correct_S, -1);
        QCOMPARE(ps.Game.State, 0);
        QCOMPARE(ps.N_Mode, 0);
        QVERIFY(ps.Pause);
        QVERIFY(ps.Rozgrzewka);
        QVERIFY(!ps.B_Game && !ps.B_Round);
        QVERIFY(ps.B_Sound);
        QCOMPARE(ps.S_Fru_Weg, QStringLiteral("00120"));
        QCOMPARE(ps.I_Limit, 32);
        for (int k = 0; k < 5; ++k) {
            QCOMPARE(ps.TBest[k], 121.0L);
            QCOMPARE(ps.TGame[k], 0);
            QCOMPARE(ps.Time_Runda[k], 1200);
        }
        QCOMPARE(hintHidePause(), 5000);

        // The window's furniture.
        QVERIFY(!form.control<FlatButton>("tb_Sound_1")->isChecked());
        QVERIFY(!form.control<FlatButton>("tb_Sound_2")->isChecked());
        QVERIFY(!form.control<FlatButton>("tb_Warm_Play")->isChecked());
        QVERIFY(form.control<FlatButton>("sb_Mode_0")->isChecked());
        QVERIFY(!form.control<FlatButton>("sb_Mode_1")->isChecked());
        QVERIFY(!form.control<FlatButton>("sb_Mode_2")->isChecked());
        for (int i = 0; i < 4; ++i)
            QVERIFY(!form.control<FlatButton>(QStringLiteral("sb_Level_%1").arg(i))->isChecked());
        QVERIFY(form.control("p_Result_2")->isHidden());
        QVERIFY(!form.control("_Help")->isHidden());
        for (int n = 1; n <= 4; ++n) {
            QCOMPARE(form.control<Panel>(QStringLiteral("p_%1_G").arg(n))->caption(), QStringLiteral("0"));
            QCOMPARE(form.control<Panel>(QStringLiteral("p_%1_T").arg(n))->caption(), QStringLiteral("?"));
        }
        QCOMPARE(form.control("i_Projekt_0")->toolTip(), Artwork::badgeHint());
        QCOMPARE(form.control("i_Projekt_1")->toolTip(), Artwork::badgeHint());
        for (int id : {150, 151, 152}) {
            const QCursor cursor = registeredCursor(id);
            QCOMPARE(cursor.shape(), Qt::BitmapCursor);
            QCOMPARE(cursor.hotSpot(), QPoint(0, 0));
            QCOMPARE(cursor.pixmap().size(), QSize(32, 32));
        }
    }

    void refusedWindowClosesWhenShown()
    {
        QTemporaryDir dir;
        BoxRecorder recorder;
        T_Form form(programIn(dir, {"H.tx"}));
        form.show();
        QVERIFY(form.isVisible());
        QCoreApplication::processEvents();
        QVERIFY(!form.isVisible());
    }

    void acceptedWindowStaysOpen()
    {
        QTemporaryDir dir;
        BoxRecorder recorder;
        T_Form form(programIn(dir));
        form.show();
        QCoreApplication::processEvents();
        form.FormActivate();
        QVERIFY(form.isVisible());
    }
};

QTEST_MAIN(TestStartupChecks)
#include "test_startup_checks.moc"
