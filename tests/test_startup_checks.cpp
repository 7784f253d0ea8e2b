// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up checks: the content directory, its eight files, the screen
// density and the screen size are tested in that order, the first failure
// alone is reported in one box, and a refused window closes itself. The
// set to play is chosen on the command line, by its name among the sets
// installed in the XDG data directories or by its folder, before any window.
#include "app/artwork.h"
#include "app/command_line.h"
#include "app/cursors.h"
#include "app/display_scale.h"
#include "app/exit_status.h"
#include "app/hints.h"
#include "app/startup_messages.h"
#include "app/t_form.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QProcess>
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

// A content directory of empty files but `missing`, with nazwa.txt holding
// `word` unless it is null.
void makeContent(const QString& folder, const QByteArray& word = {}, const QStringList& missing = {})
{
    QVERIFY(QDir().mkpath(folder));
    for (const QString& name : kFiles + QStringList{"nazwa.txt"}) {
        QFile file(folder + '/' + name);
        const bool isWord = name == "nazwa.txt";
        if (!missing.contains(name) && (!isWord || !word.isNull()))
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(isWord ? word : QByteArray()) >= 0);
    }
}

}  // namespace

class TestStartupChecks : public QObject {
    Q_OBJECT

    // The sets installed for these tests: the user's own, those of the
    // shared data directories, and folders given by their path.
    QTemporaryDir home, shared, loose;

    QString placed(QString text) const
    {
        return text.replace("@HOME@", home.path() + "/trefolia/zestawy")
            .replace("@SHARED@", shared.path() + "/trefolia/zestawy")
            .replace("@LOOSE@", loose.path());
    }

private slots:
    void initTestCase()
    {
        qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
        qputenv("XDG_DATA_DIRS", shared.path().toLocal8Bit());
        makeContent(placed("@HOME@/zwierzeta"), "zwierzęta\n");
        // Shadowed by the user's set of the same name.
        makeContent(placed("@SHARED@/zwierzeta"), "ptaki\n");
        makeContent(placed("@SHARED@/owoce"), "owoce\n");
        // No archive: not an installed set.
        makeContent(placed("@SHARED@/pusty"), {}, {"D.bb", "E.bt"});
        makeContent(placed("@LOOSE@/pojazdy"), "\xEF\xBB\xBFpojazdy\r\n");
        // Two lines: no word the game can show.
        makeContent(placed("@LOOSE@/ryby"), "ptaki\nryby\n");
        makeContent(placed("@LOOSE@/niepelny"), {}, {"G.tx"});
        QFile source(placed("@LOOSE@/zrodlo/pictures.txt"));
        QVERIFY(QDir().mkpath(placed("@LOOSE@/zrodlo")) && source.open(QIODevice::WriteOnly));
    }

    void chosenSet_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("folderOrText");  // Play: the content directory; else what is written
        QTest::addColumn<QString>("word");          // the logo's word, Play only
        QTest::addColumn<QString>("box");           // a start-up box, Play only
        const int play = int(LaunchChoice::Action::Play), print = int(LaunchChoice::Action::Print),
                  refuse = int(LaunchChoice::Action::Refuse);
        const QString sets = "Zainstalowane zestawy: owoce, zwierzeta.";
        QTest::newRow("no choice: Base beside the program") << QStringList{} << play << "" << "" << "";
        QTest::newRow("by name: the user's own first")
            << QStringList{"--set", "zwierzeta"} << play << "@HOME@/zwierzeta" << "zwierzęta" << "";
        QTest::newRow("by name: shared, the fruit word")
            << QStringList{"--set=owoce"} << play << "@SHARED@/owoce" << "" << "";
        QTest::newRow("by folder, Qt's options left to Qt")
            << QStringList{"-platform", "offscreen", "--set", "@LOOSE@/pojazdy/"} << play << "@LOOSE@/pojazdy"
            << "pojazdy" << "";
        QTest::newRow("by folder, its word unusable")
            << QStringList{"--set", "@LOOSE@/ryby"} << play << "@LOOSE@/ryby" << "" << "";
        QTest::newRow("folder missing a file: the start-up box")
            << QStringList{"--set", "@LOOSE@/niepelny"} << play << "@LOOSE@/niepelny" << ""
            << "Brak @LOOSE@/niepelny/G.tx";
        QTest::newRow("list") << QStringList{"--list-sets"} << print
                              << "owoce\t@SHARED@/owoce\nzwierzeta\t@HOME@/zwierzeta\n" << "" << "";
        QTest::newRow("unknown name")
            << QStringList{"--set", "kotki"} << refuse << "trefolia: Nie ma zestawu „kotki”. " + sets + "\n" << ""
            << "";
        QTest::newRow("a set folder without content is no set")
            << QStringList{"--set", "pusty"} << refuse << "trefolia: Nie ma zestawu „pusty”. " + sets + "\n" << ""
            << "";
        QTest::newRow("not built") << QStringList{"--set", "@LOOSE@/zrodlo"} << refuse
                                   << "trefolia: Folder „@LOOSE@/zrodlo” to zestaw przed zbudowaniem (ma "
                                      "pictures.txt). Zbuduj go poleceniem: trefolia-content build @LOOSE@/zrodlo "
                                      "FOLDER_GOTOWY, a potem graj zestawem z folderu FOLDER_GOTOWY.\n"
                                   << "" << "";
        QTest::newRow("no such folder") << QStringList{"--set", "@LOOSE@/nic"} << refuse
                                        << "trefolia: Nie ma folderu „@LOOSE@/nic”.\n" << "" << "";
        QTest::newRow("no value")
            << QStringList{"--set"} << refuse
            << "trefolia: Po --set podaj nazwę zestawu albo jego folder (zob. trefolia --list-sets).\n" << "" << "";
        QTest::newRow("mistyped option")
            << QStringList{"--zestaw=owoce"} << refuse
            << "trefolia: Nieznana opcja „--zestaw”. Dostępne opcje pokazuje: trefolia --help.\n" << "" << "";
    }
    void chosenSet()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, action);
        QFETCH(QString, folderOrText);
        QFETCH(QString, word);
        QFETCH(QString, box);
        for (QString& argument : arguments)
            argument = placed(argument);
        const LaunchChoice choice = chooseLaunch(QStringList{"trefolia"} + arguments);
        QCOMPARE(int(choice.action), action);
        if (choice.action != LaunchChoice::Action::Play) {
            QCOMPARE(choice.text, placed(folderOrText));
            QCOMPARE(choice.exitCode == 0, choice.action == LaunchChoice::Action::Print);
            return;
        }
        QCOMPARE(choice.contentDir, placed(folderOrText));
        // The window plays the chosen folder; the work directory stays beside the program.
        QTemporaryDir program;
        StartupEnvironment env = programIn(program);
        env.contentDir = choice.contentDir;
        BoxRecorder recorder;
        T_Form form(env);
        QCOMPARE(recorder.boxes.size(), box.isEmpty() ? 0 : 1);
        if (!box.isEmpty())
            compareBox(recorder.boxes[0], placed(box), kRefused);
        const QString played = choice.contentDir.isEmpty() ? program.path() + "/Base" : choice.contentDir;
        QCOMPARE(form.playState().Base_B, played + "/");
        QCOMPARE(form.playState().Base_W, program.path() + "/Work/");
        QCOMPARE(form.control<ImageControl>("i_Logo")->picture(), Artwork::picture("logo", word));
        QCOMPARE(form.control<ImageControl>("i_Help")->picture(), Artwork::picture("rules", word));
    }

    // The built program refuses an unknown set at once, on its standard
    // error, with no platform to make a window on (making the application
    // would abort the program).
    void programRefusesWithoutWindow()
    {
        QProcess game;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "nowhere");
        game.setProcessEnvironment(env);
        game.start(qEnvironmentVariable("TREFOLIA_BUILD_DIR") + "/trefolia", {"--set", "kotki"});
        QVERIFY(game.waitForFinished(60000) && game.exitStatus() == QProcess::NormalExit);
        QCOMPARE(game.exitCode(), 2);
        QVERIFY(game.readAllStandardOutput().isEmpty());
        QVERIFY(QString::fromUtf8(game.readAllStandardError()).startsWith("trefolia: Nie ma zestawu „kotki”."));
    }

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
        QCOMPARE(form.startupStatus(), ExitStatus::MissingContent);
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

    // The scale the window is drawn at, from what the desktop reports and
    // what was asked for (0: nothing, -1: auto, else per cent), and the
    // start-up checks made at it: the factor chosen, then the box of a
    // refusal (none: the game starts) and the exit status.
    void scaleChoice_data()
    {
        QTest::addColumn<double>("logicalDpi");  // as Qt reports it with its platform scaling off
        QTest::addColumn<double>("pixelRatio");
        QTest::addColumn<double>("globalFactor");
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<int>("asked");
        QTest::addColumn<double>("factor");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("status");
        const QSize small(1366, 768), full(1920, 1080), large(2560, 1440);
        const QString density = "Rozdzielczość monitora jest ustawiona niestandardowo na %1 ppi - program nie może "
                                "być uruchomiony";
        const QString size = "Wielkość monitora wynosi %1 x%2. Wielkość programu to %3 x %4. Program nie mieści "
                             "się na ekranie monitora i nie zostanie uruchomiony.";
        const int played = ExitStatus::Played, refusedDensity = ExitStatus::ScreenDensity,
                  tooSmall = ExitStatus::ScreenTooSmall;
        // Desktop scales 1, 1.25 (Xft.dpi 120), 1.5 and 2 (QT_SCREEN_SCALE_FACTORS) with --skala auto.
        const struct { const char* name; double dpi, ratio; } desktops[] = {
            {"1", 96, 1}, {"1.25", 120, 1}, {"1.5", 64, 1.5}, {"2", 48, 2}};
        const struct { QSize screen; double factors[4]; } screens[] = {
            {small, {1, 1.25, 1.25, 1.25}}, {full, {1, 1.25, 1.5, 1.75}}, {large, {1, 1.25, 1.5, 2}}};
        for (const auto& screen : screens)
            for (int d = 0; d < 4; ++d)
                QTest::addRow("auto, desktop %s, %dx%d", desktops[d].name, screen.screen.width(), screen.screen.height())
                    << desktops[d].dpi << desktops[d].ratio << 1.0 << screen.screen << -1 << screen.factors[d] << ""
                    << played;
        QTest::newRow("auto, desktop 2 by Xft.dpi 192") << 192.0 << 1.0 << 1.0 << full << -1 << 1.75 << "" << played;
        QTest::newRow("auto, desktop 2 by QT_SCALE_FACTOR") << 96.0 << 2.0 << 2.0 << large << -1 << 2.0 << "" << played;
        QTest::newRow("auto, a panel takes 40 rows") << 96.0 << 1.75 << 1.75 << QSize(1920, 1040) << -1 << 1.5 << ""
                                                    << played;
        QTest::newRow("auto, not even 100 % fits")
            << 120.0 << 1.0 << 1.0 << QSize(1024, 576) << -1 << 1.0 << size.arg(1024).arg(576).arg(800).arg(600)
            << tooSmall;
        QTest::newRow("asked 150 %") << 120.0 << 1.0 << 1.0 << full << 150 << 1.5 << "" << played;
        QTest::newRow("asked 100 % on large text") << 120.0 << 1.0 << 1.0 << small << 100 << 1.0 << "" << played;
        QTest::newRow("asked 200 %, too large")
            << 96.0 << 1.0 << 1.0 << small << 200 << 2.0 << size.arg(1366).arg(768).arg(1600).arg(1200) << tooSmall;
        QTest::newRow("asked 300 %, too large")
            << 96.0 << 1.0 << 1.0 << large << 300 << 3.0 << size.arg(2560).arg(1440).arg(2400).arg(1800) << tooSmall;
        // Nothing asked for: the checks at 100 %, with the desktop's real density.
        QTest::newRow("bare, 96 ppi") << 96.0 << 1.0 << 1.0 << small << 0 << 1.0 << "" << played;
        QTest::newRow("bare, large text") << 120.0 << 1.0 << 1.0 << full << 0 << 1.0 << density.arg(120)
                                          << refusedDensity;
        QTest::newRow("bare, screen scaled by 2") << 48.0 << 2.0 << 1.0 << QSize(1920, 1200) << 0 << 2.0
                                                  << density.arg(192) << refusedDensity;
        QTest::newRow("bare, screen scaled by 1.5") << 64.0 << 1.5 << 1.0 << full << 0 << 1.5 << density.arg(144)
                                                    << refusedDensity;
        QTest::newRow("bare, QT_SCALE_FACTOR 2") << 96.0 << 2.0 << 2.0 << full << 0 << 2.0
                                                 << size.arg(1920).arg(1080).arg(1600).arg(1200) << tooSmall;
    }
    void scaleChoice()
    {
        QFETCH(double, logicalDpi);
        QFETCH(double, pixelRatio);
        QFETCH(double, globalFactor);
        QFETCH(QSize, screen);
        QFETCH(int, asked);
        QFETCH(double, factor);
        QFETCH(QString, box);
        QFETCH(int, status);
        const DisplayScale::Desktop desktop{logicalDpi, pixelRatio, globalFactor};
        // A scale asked for replaces the desktop's factors by its own and
        // lays out point sizes at 96 ppi; nothing asked for, Qt draws at the
        // desktop's ratio and the density is the desktop's.
        double chosen = pixelRatio;
        int dpi = DisplayScale::desktopDensity(desktop);
        if (asked != 0) {
            chosen = asked > 0 ? asked / 100.0 : DisplayScale::automaticFactor(DisplayScale::desktopScale(desktop), screen);
            dpi = DisplayScale::desktopDensity({96, chosen, chosen});
        }
        QCOMPARE(chosen, factor);
        QTemporaryDir dir;
        StartupEnvironment env = programIn(dir, {}, dpi, screen);
        env.scale = chosen;
        BoxRecorder recorder;
        T_Form form(env);
        QCOMPARE(recorder.boxes.size(), box.isEmpty() ? 0 : 1);
        if (!box.isEmpty())
            QCOMPARE(recorder.boxes[0].text, box);
        QCOMPARE(form.startupStatus(), status);
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
