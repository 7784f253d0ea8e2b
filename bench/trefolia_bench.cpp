// SPDX-License-Identifier: GPL-3.0-or-later
// trefolia-bench [program dir]: times the game's hot paths on the shipped
// content (program dir/Base, by default the build folder above this
// program) and prints each figure's median beside its budget. Exits 1 when
// a figure is over its budget.
//
//   1. one LoadArchivePicture against QImage::loadFromData of the same bytes
//   2. a whole level-1 and level-4 deal (PrepareGame + DealShelves3/4)
//   3. one mark click (mode 2) on a shelf panel
//   3a. the level-4 deal and the mark click with the window painted at
//       200 %, by a copy of the benchmark drawn by Qt at that scale,
//       against the same figures at 100 % of this run
//   4. start-up of the game as a whole process, to the main window shown
//   5. resident memory after start-up and after 1,000 deals

#include "app/controls.h"
#include "app/t_form.h"
#include "content/picture_archive.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QProcess>
#include <QtEndian>

#include <QThread>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

namespace {

int failures = 0;

// TREFOLIA_BENCH_SCALE=n divides every repetition count by n, for runs
// under a profiler.
int repetitions(int count)
{
    const int scale = qMax(1, qEnvironmentVariableIntValue("TREFOLIA_BENCH_SCALE"));
    return qMax(5, count / scale);
}

void paintPending();

double median(std::vector<double> values);

double medianImpl(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0.0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

// Microseconds of each of `repetitions` calls of `work`, after a few
// unmeasured warm-up calls.
qint64 threadCpuNs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// Median CPU time of this thread per call in the last timeEach, in
// microseconds: unlike the wall clock it does not count the time other
// processes of a busy machine take.
double lastCpuMedianUs = 0;

// `between` runs untimed after each call (the event loop's turn).
std::vector<double> timeEach(int repetitions, const std::function<void()>& work,
                             const std::function<void()>& between = {})
{
    for (int i = 0; i < 3; ++i) {
        work();
        if (between)
            between();
    }
    std::vector<double> times;
    const int count = ::repetitions(repetitions);
    times.reserve(size_t(count));
    std::vector<double> cpuTimes;
    QElapsedTimer clock;
    for (int i = 0; i < count; ++i) {
        const qint64 cpuStart = threadCpuNs();
        clock.start();
        work();
        times.push_back(double(clock.nsecsElapsed()) / 1000.0);
        cpuTimes.push_back(double(threadCpuNs() - cpuStart) / 1000.0);
        if (between)
            between();
    }
    lastCpuMedianUs = median(cpuTimes);
    return times;
}

void report(const char* what, double value, const char* unit, double budget, const char* budgetText,
            bool cpuShown = false, double cpuScale = 1000.0)
{
    const bool within = value <= budget;
    if (!within)
        ++failures;
    std::printf("%-58s %10.3f %-5s budget %-12s %s\n", what, value, unit, budgetText, within ? "ok" : "OVER");
    if (cpuShown)
        std::printf("%-58s %10.3f %-5s (this thread's CPU time)\n", "", lastCpuMedianUs / cpuScale, unit);
    std::fflush(stdout);
}

// The PNG bytes of picture `number`, joined from the archive's records
// exactly as the game reads them.
QByteArray pngBytesOf(const QString& base, int number)
{
    QFile index(base + QStringLiteral("E.bt"));
    QFile data(base + QStringLiteral("D.bb"));
    if (!index.open(QIODevice::ReadOnly) || !data.open(QIODevice::ReadOnly))
        return {};
    index.seek(qint64(number) * PictureArchive::indexRecordSize);
    const QByteArray entry = index.read(PictureArchive::indexRecordSize);
    if (entry.size() < 8)
        return {};
    const qint32 first = qFromLittleEndian<qint32>(entry.constData());
    const qint32 count = qFromLittleEndian<qint32>(entry.constData() + 4);
    data.seek(qint64(first) * PictureArchive::dataRecordSize);
    QByteArray png;
    for (qint32 i = 0; i < count; ++i) {
        const QByteArray record = data.read(PictureArchive::dataRecordSize);
        if (record.size() < PictureArchive::dataRecordSize)
            return {};
        png.append(record.constData() + 2, quint8(record.at(1)));
    }
    return png;
}

double median(std::vector<double> values) { return medianImpl(std::move(values)); }

// The clock the game prints its first show by: one steady clock for every
// process of the machine.
qint64 monotonicNs()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return qint64(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
}

qint64 residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

void dealLevel(T_Form& form, int level)
{
    PlayState& ps = form.playState();
    ps.N_Level = level;
    ps.T_Level = level == 0 ? 100 : 200;
    form.PrepareGame(level);
    form.control<Panel>(QStringLiteral("p_Fr_06"))->setVisible(level == 0);
    form.control<Panel>(QStringLiteral("p_Fr_12"))->setVisible(level != 0);
    if (level == 0)
        form.DealShelves3();
    else
        form.DealShelves4();
}

// Lets the window paint what the last action changed, as the event loop
// does right after a handler returns.
void paintPending()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// The level-4 deal and the mark click, each with the window painted, in
// milliseconds of this thread's CPU time (two processes are compared, and
// the machine may be busy); leaves the form in mode 0.
struct PaintedFigures {
    double deal = 0;
    double mark = 0;
};

PaintedFigures dealAndMarkPainted(T_Form& form)
{
    PaintedFigures figures;
    timeEach(100, [&] { dealLevel(form, 3); paintPending(); });
    figures.deal = lastCpuMedianUs / 1000.0;
    form.control<FlatButton>(QStringLiteral("sb_Mode_2"))->click();
    dealLevel(form, 3);
    paintPending();
    Panel* shelf = form.control<Panel>(QStringLiteral("P_Nr_0"));
    timeEach(300, [&] { form.p_Nr_MouseDown(shelf, Qt::LeftButton, {}, 1, 1); paintPending(); });
    figures.mark = lastCpuMedianUs / 1000.0;
    form.control<FlatButton>(QStringLiteral("sb_Mode_0"))->click();
    return figures;
}

// The benchmark's copy that measures at another scale prints its figures
// on one line after this word.
constexpr char kScaledVariable[] = "TREFOLIA_BENCH_SCALED";

// The copy's figures at QT_SCALE_FACTOR `factor`; nothing when it failed.
std::optional<PaintedFigures> scaledFigures(const QString& programDir, const char* factor)
{
    QProcess copy;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kScaledVariable), QStringLiteral("1"));
    environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::fromLatin1(factor));
    copy.setProcessEnvironment(environment);
    copy.start(QCoreApplication::applicationFilePath(), {programDir});
    if (!copy.waitForFinished(600000) || copy.exitCode() != 0)
        return std::nullopt;
    const QList<QByteArray> fields = copy.readAllStandardOutput().trimmed().split(' ');
    if (fields.size() != 3 || fields[0] != "scaled")
        return std::nullopt;
    return PaintedFigures{fields[1].toDouble(), fields[2].toDouble()};
}

}  // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    const bool scaledCopy = qEnvironmentVariableIsSet(kScaledVariable);
    if (scaledCopy)
        QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    QApplication app(argc, argv);
    QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));

    const QString programDir = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                        : QFileInfo(QCoreApplication::applicationDirPath() + QStringLiteral("/..")).canonicalFilePath();
    const QString base = programDir + QStringLiteral("/Base/");
    if (!QFileInfo::exists(base + QStringLiteral("E.bt"))) {
        std::fprintf(stderr, "no content in %s\n", qPrintable(base));
        return 2;
    }
    if (scaledCopy) {
        T_Form form(StartupEnvironment{programDir, 96, {1280, 1024}});
        form._HelpClick();
        form.seedRandom(1);
        form.show();
        for (int level = 0; level < 4; ++level) {
            dealLevel(form, level);
            paintPending();
        }
        const PaintedFigures figures = dealAndMarkPainted(form);
        std::printf("scaled %.6f %.6f\n", figures.deal, figures.mark);
        return 0;
    }
    std::printf("Trefolia benchmark, content %s, %d cores\n", qPrintable(base), QThread::idealThreadCount());
    std::printf("%-58s %10s %-5s\n", "figure (median)", "value", "unit");

    // 1. One picture load against Qt's own decoder of the same bytes.
    {
        const QByteArray png = pngBytesOf(base, 1);
        QString name;
        // Taken in turns, so that a busy moment of the machine falls on both.
        std::vector<double> ours;
        std::vector<double> qts;
        QElapsedTimer clock;
        for (int i = -3; i < repetitions(3000); ++i) {
            clock.start();
            (void)LoadArchivePicture(base, 1, name);
            const double oursNs = double(clock.nsecsElapsed());
            clock.start();
            QImage image;
            image.loadFromData(png);
            const double qtNs = double(clock.nsecsElapsed());
            if (i >= 0) {
                ours.push_back(oursNs / 1000.0);
                qts.push_back(qtNs / 1000.0);
            }
        }
        const double oursUs = median(ours);
        const double qtUs = median(qts);
        std::printf("%-58s %10.1f us   (%d PNG bytes)\n", "LoadArchivePicture (open, read, close, decode)", oursUs, int(png.size()));
        std::printf("%-58s %10.1f us\n", "QImage::loadFromData of the same bytes in memory", qtUs);
        report("ratio LoadArchivePicture / QImage::loadFromData", oursUs / qtUs, "", 1.0, "<= 1.0");
    }

    T_Form form(StartupEnvironment{programDir, 96, {1280, 1024}});
    form._HelpClick();
    form.seedRandom(1);
    form.show();
    paintPending();
    const qint64 rssShown = residentKiB();
    // Every level once, so that every slot bitmap the game keeps is made.
    for (int level = 0; level < 4; ++level) {
        dealLevel(form, level);
        paintPending();
    }
    const qint64 rssAfterStart = residentKiB();

    // 2. Whole deals, with the paint they cause.
    report("level-1 deal (PrepareGame + DealShelves3)",
           median(timeEach(300, [&] { dealLevel(form, 0); }, paintPending)) / 1000.0, "ms", 8.0, "< 8 ms", true);
    report("level-4 deal (PrepareGame + DealShelves4)",
           median(timeEach(300, [&] { dealLevel(form, 3); }, paintPending)) / 1000.0, "ms", 16.0, "< 16 ms", true);
    report("level-4 deal, then the window painted",
           median(timeEach(100, [&] { dealLevel(form, 3); paintPending(); })) / 1000.0, "ms", 16.0, "< 16 ms", true);

    // 3. A mark click: a left press on a shelf panel in mode 2 redraws that shelf.
    {
        form.control<FlatButton>(QStringLiteral("sb_Mode_2"))->click();
        dealLevel(form, 3);
        paintPending();
        Panel* shelf = form.control<Panel>(QStringLiteral("P_Nr_0"));
        report("mark click (mode 2, level 4 shelf)",
               median(timeEach(1000, [&] { form.p_Nr_MouseDown(shelf, Qt::LeftButton, {}, 1, 1); }, paintPending)) / 1000.0,
               "ms", 2.0, "< 2 ms", true);
        report("mark click, then the window painted",
               median(timeEach(300, [&] { form.p_Nr_MouseDown(shelf, Qt::LeftButton, {}, 1, 1); paintPending(); })) / 1000.0,
               "ms", 2.0, "< 2 ms", true);
        form.control<FlatButton>(QStringLiteral("sb_Mode_0"))->click();
    }

    // 3a. At 200 %: a copy of the benchmark, drawn by Qt at that scale,
    // measured right after the same figures at 100 % here.
    {
        const PaintedFigures here = dealAndMarkPainted(form);
        if (const std::optional<PaintedFigures> scaled = scaledFigures(programDir, "2")) {
            std::printf("%-58s %10.3f ms  (100 %%: %.3f ms)\n", "level-4 deal, window painted, at 200 % (CPU time)",
                        scaled->deal, here.deal);
            report("  ratio 200 % / 100 %", scaled->deal / here.deal, "", 3.0, "<= 3");
            std::printf("%-58s %10.3f ms  (100 %%: %.3f ms)\n", "mark click, window painted, at 200 % (CPU time)",
                        scaled->mark, here.mark);
            report("  ratio 200 % / 100 %", scaled->mark / here.mark, "", 3.0, "<= 3");
        } else {
            std::fprintf(stderr, "the benchmark at 200 %% gave no figures\n");
            ++failures;
        }
    }

    // 5. Memory: 1,000 more deals over all levels, each followed by the
    // event loop's turn as after a click, must not keep memory.
    {
        for (int i = 0; i < repetitions(1000); ++i) {
            dealLevel(form, i % 4);
            paintPending();
        }
        const qint64 rssAfterDeals = residentKiB();
        std::printf("%-58s %10.1f MiB\n", "resident memory, main window shown", rssShown / 1024.0);
        std::printf("%-58s %10.1f MiB\n", "resident memory after one deal of every level", rssAfterStart / 1024.0);
        std::printf("%-58s %10.1f MiB\n", "resident memory after 1,000 more deals", rssAfterDeals / 1024.0);
        report("resident memory growth over 1,000 deals", (rssAfterDeals - rssAfterStart) / 1024.0, "MiB", 2.0, "< 2 MiB");
    }

    // 4. Start-up of the real program: process start to the main window shown.
    {
        const QString program = programDir + QStringLiteral("/trefolia");
        std::vector<double> times;
        for (int run = 0; run < qMin(11, repetitions(11)); ++run) {
            QProcess process;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("TREFOLIA_EXIT_WHEN_SHOWN"), QStringLiteral("1"));
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
            environment.insert(QStringLiteral("QT_QPA_OFFSCREEN_NO_GLX"), QStringLiteral("1"));
            process.setProcessEnvironment(environment);
            process.setProgram(program);
            process.setWorkingDirectory(programDir);
            const qint64 launchedNs = monotonicNs();
            process.start();
            if (!process.waitForFinished(20000)) {
                process.kill();
                process.waitForFinished();
                std::fprintf(stderr, "start-up run %d did not finish\n", run);
                ++failures;
                break;
            }
            // The program prints the monotonic clock at its first show,
            // read just before the process was launched here.
            const QByteArray output = process.readAllStandardOutput();
            const int at = output.indexOf("shown-at-ns ");
            if (at < 0 || process.exitCode() != 0) {
                std::fprintf(stderr, "start-up run %d gave no time (exit %d): %s\n", run, process.exitCode(),
                             process.readAllStandardError().constData());
                ++failures;
                break;
            }
            const qint64 shownNs = output.mid(at + 12).split('\n').value(0).trimmed().toLongLong();
            times.push_back(double(shownNs - launchedNs) / 1e6);
        }
        if (!times.empty())
            report("start-up, process start to main window shown", median(times), "ms", 500.0, "< 500 ms");
    }

    std::printf("%s\n", failures == 0 ? "all figures within budget" : "some figures over budget");
    return failures == 0 ? 0 : 1;
}
