// SPDX-License-Identifier: GPL-3.0-or-later
// trefolia-content: makes, inspects, checks, installs and shares sets.
//   build <set folder> <out dir>      a checked content directory from a set folder
//   proof <set folder, dir or .zestaw> <file.html>  the page a teacher reads before class
//   install [--user|--system] [--name NAME] <dir or .zestaw>
//                                     the set among the user's (or every account's)
//                                     sets, with a menu entry, the old one kept
//   install --restore [--user|--system] NAME   the set before back again
//   install <dir> <game folder>       the set into the game's Base/, the old one kept
//   share <dir> <file.zestaw>         the set as one file to hand on
//   pack <folder of PNGs> <out dir>   an archive (E.bt, D.bb) of PNG files
//   list <dir>                        the pictures of an archive
//   extract <dir> <number> <out.png>  one picture, as the game sees it
//   check <dir>                       everything the game relies on
//   sheet <dir> <out.png>             every picture at tile sizes 80, 48 and 32
//   bench <dir> [calls]               the time of one picture load
// Messages are Polish; any fault gives a non-zero exit status. The work is
// done in content/; this is the command line.

#include "content/console.h"
#include "content/content_build.h"
#include "content/content_check.h"
#include "content/content_install.h"
#include "tools/content_proof.h"
#include "content/game_error.h"
#include "content/picture_archive.h"
#include "content/set_archive.h"
#include "content/set_folder.h"
#include "content/set_locations.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextStream>

#include <memory>

namespace {

QTextStream& out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream& err()
{
    static QTextStream stream(stderr);
    return stream;
}

QString withSeparator(const QString& dir)
{
    const QString absolute = QDir(dir).absolutePath();
    return absolute.endsWith(QLatin1Char('/')) ? absolute : absolute + QLatin1Char('/');
}

int usage()
{
    err() << "Użycie: trefolia-content build <folder zestawu> <katalog wynikowy>\n"
             "        trefolia-content proof <folder zestawu, katalog albo plik .zestaw> <plik.html>\n"
             "        trefolia-content install [--user | --system] [--name NAZWA] <katalog albo plik .zestaw>\n"
             "        trefolia-content install --restore [--user | --system] <nazwa zestawu>\n"
             "        trefolia-content install <katalog zestawu> <folder gry>\n"
             "        trefolia-content share <katalog zestawu> <plik.zestaw>\n"
             "        trefolia-content pack <katalog z plikami PNG> <katalog wynikowy>\n"
             "        trefolia-content list <katalog>\n"
             "        trefolia-content extract <katalog> <numer> <plik.png>\n"
             "        trefolia-content check <katalog albo plik .zestaw>\n"
             "        trefolia-content sheet <katalog> <plik.png>\n"
             "        trefolia-content bench <katalog> [liczba wywołań]\n";
    return 2;
}

qint64 pictureCount(const QString& dir)
{
    return QFileInfo(dir + QStringLiteral("E.bt")).size() / PictureArchive::indexRecordSize;
}

void warn(const QStringList& warnings)
{
    for (const QString& warning : warnings)
        err() << "Uwaga: " << warning << '\n';
}

int check(const QString& source)
{
    const SetArchive::OpenedSet set(source);
    const QStringList faults = ContentCheck::checkDirectory(set.dir());
    for (const QString& fault : faults)
        err() << fault << '\n';
    if (!faults.isEmpty()) {
        err() << "Zestaw " << QDir::toNativeSeparators(source) << ": błędów: " << faults.size() << '\n';
        return 1;
    }
    out() << "Zestaw " << QDir::toNativeSeparators(source) << " jest poprawny.\n";
    return 0;
}

int list(const QString& dir)
{
    const qint64 count = pictureCount(dir);
    int failures = 0;
    for (qint32 number = 0; number < count; ++number) {
        try {
            QString name;
            const QImage image = LoadArchivePicture(dir, number, name);
            out() << QStringLiteral("%1  %2×%3  %4\n")
                         .arg(number, 5, 10, QLatin1Char('0'))
                         .arg(image.width())
                         .arg(image.height())
                         .arg(name);
        } catch (const GameError& error) {
            ++failures;
            out() << QStringLiteral("%1  błąd: %2\n").arg(number, 5, 10, QLatin1Char('0')).arg(error.message());
        }
    }
    out() << "Obrazów: " << count << '\n';
    return failures == 0 && count > 0 ? 0 : 1;
}

int extract(const QString& dir, const QString& numberText, const QString& target)
{
    bool ok = false;
    const qint32 number = numberText.toInt(&ok);
    if (!ok) {
        err() << "'" << numberText << "' nie jest poprawną wartością liczbową\n";
        return 1;
    }
    QString name;
    const QImage image = LoadArchivePicture(dir, number, name);
    if (!image.save(target, "PNG")) {
        err() << "Nie można zapisać pliku \"" << target << "\"\n";
        return 1;
    }
    out() << "Obraz nr " << number << " (" << name << ") zapisany w " << target << '\n';
    return 0;
}

// A contact sheet: one row per tile size, so an author sees at a glance
// whether the pictures stay apart when they are small.
int sheet(const QString& dir, const QString& target)
{
    const qint64 count = pictureCount(dir);
    const QList<int> sizes = {80, 48, 32};
    const int gap = 4;
    QImage page(int(count) * (80 + gap) + gap, (80 + 48 + 32) + 4 * gap, QImage::Format_RGB32);
    page.fill(Qt::darkGray);
    QPainter painter(&page);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    int y = gap;
    for (const int side : sizes) {
        for (qint32 number = 0; number < count; ++number) {
            QString name;
            const QImage tile = LoadArchivePicture(dir, number, name)
                                    .scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            painter.drawImage(gap + number * (80 + gap), y, tile);
        }
        y += side + gap;
    }
    painter.end();
    if (!page.save(target, "PNG")) {
        err() << "Nie można zapisać pliku \"" << target << "\"\n";
        return 1;
    }
    return 0;
}

int bench(const QString& dir, int calls)
{
    const qint64 count = pictureCount(dir);
    if (count <= 0 || calls <= 0) {
        err() << "Brak obrazów do pomiaru\n";
        return 1;
    }
    QString name;
    LoadArchivePicture(dir, 0, name);  // warm the file cache
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < calls; ++i)
        LoadArchivePicture(dir, qint32(i % count), name);
    const double microseconds = double(timer.nsecsElapsed()) / 1000.0 / calls;
    out() << QStringLiteral("LoadArchivePicture: %1 wywołań, średnio %2 µs na wywołanie\n")
                 .arg(calls)
                 .arg(microseconds, 0, 'f', 1);
    return 0;
}

// install [--user | --system] [--name NAME] SET, install --restore [--user | --system] NAME
// and the game-folder form install DIR GAME-FOLDER.
int install(const QStringList& args)
{
    bool system = false, restore = false, scoped = false;
    QString name;
    QStringList operands;
    for (int i = 2; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (arg == QLatin1String("--user") || arg == QLatin1String("--system")) {
            system = arg == QLatin1String("--system");
            scoped = true;
        } else if (arg == QLatin1String("--restore")) {
            restore = true;
        } else if (arg == QLatin1String("--name") && i + 1 < args.size()) {
            name = args.at(++i);
        } else if (arg.startsWith(QLatin1String("--"))) {
            return usage();
        } else {
            operands << arg;
        }
    }
    if (operands.size() == 2 && !scoped && !restore && name.isEmpty()) {
        const SetArchive::OpenedSet set(operands.at(0));
        ContentInstall::install(set.dir(), operands.at(1));
        out() << "Zestaw zainstalowany w "
              << QDir::toNativeSeparators(QDir(operands.at(1)).filePath(QStringLiteral("Base")))
              << "; poprzedni jest w " << ContentInstall::previousName << '\n';
        return 0;
    }
    if (operands.size() != 1)
        return usage();
    const QString dataDir = system ? SetLocations::systemDataDir() : SetLocations::userDataDir();
    ContentInstall::Installed installed;
    if (restore) {
        installed = ContentInstall::restoreSet(dataDir, operands.at(0), system);
        out() << "Przywrócono poprzednią wersję zestawu „" << operands.at(0) << "” w "
              << QDir::toNativeSeparators(installed.folder) << "; ta, którą zastąpiła, jest teraz w "
              << QDir::toNativeSeparators(installed.folder + ContentInstall::backupSuffix) << '\n';
    } else {
        const SetArchive::OpenedSet set(operands.at(0));
        if (name.isEmpty())
            name = set.name();
        installed = ContentInstall::installSet(set.dir(), dataDir, name, system);
        out() << "Zestaw „" << name << "” zainstalowany w " << QDir::toNativeSeparators(installed.folder) << '\n';
        if (installed.keptPrevious)
            out() << "Poprzednia wersja jest w " << QDir::toNativeSeparators(installed.folder + ContentInstall::backupSuffix)
                  << " (przywrócisz ją poleceniem: trefolia-content install --restore"
                  << (system ? " --system " : " ") << name << ")\n";
    }
    out() << "Pozycja w menu: " << QDir::toNativeSeparators(installed.menuEntry) << '\n'
          << "Uczniowie uruchamiają go z menu albo poleceniem: trefolia --set " << QFileInfo(installed.folder).fileName()
          << '\n';
    return 0;
}

int run(const QStringList& args)
{
    const QString command = args.value(1);
    if (command == QLatin1String("build") && args.size() == 4) {
        warn(ContentBuild::buildDirectory(args.at(2), args.at(3)));
        out() << "Zbudowano i sprawdzono katalog " << QDir::toNativeSeparators(args.at(3)) << '\n';
        return 0;
    }
    if (command == QLatin1String("proof") && args.size() == 4) {
        const SetArchive::OpenedSet set(args.at(2));
        QStringList warnings;
        const QStringList faults = ContentProof::write(set.dir(), args.at(3), &warnings, set.name());
        for (const QString& fault : faults)
            err() << fault << '\n';
        warn(warnings);
        out() << "Zapisano arkusz " << QDir::toNativeSeparators(args.at(3)) << "; sprawdzenie: "
              << (faults.isEmpty() ? QStringLiteral("bez błędów") : QStringLiteral("błędów: %1").arg(faults.size()))
              << '\n';
        return faults.isEmpty() ? 0 : 1;
    }
    if (command == QLatin1String("install"))
        return install(args);
    if (command == QLatin1String("share") && args.size() == 4) {
        QString dir = args.at(2);
        // An installed set may be named instead of given as a folder.
        if (!QFileInfo(dir).exists() && !SetLocations::findSet(dir).isEmpty())
            dir = SetLocations::findSet(dir);
        if (SetFolder::isSetFolder(dir) && !SetLocations::holdsContent(dir))
            throw GameError(QStringLiteral("%1 to folder zestawu, który nie został jeszcze zbudowany. Najpierw zbuduj "
                                           "go: trefolia-content build %1 <katalog wynikowy>, a potem udostępnij "
                                           "katalog wynikowy.")
                                .arg(QDir::toNativeSeparators(dir)));
        QString target = args.at(3);
        if (!SetArchive::isSetFile(target))
            target += SetArchive::suffix;
        SetArchive::write(dir, target);
        out() << "Zapisano zestaw w pliku " << QDir::toNativeSeparators(target)
              << "; na innym komputerze: trefolia-content install " << QFileInfo(target).fileName() << '\n';
        return 0;
    }
    if (command == QLatin1String("pack") && args.size() == 4) {
        for (const QString& line : ContentBuild::packFolder(args.at(2), args.at(3)))
            out() << line << '\n';
        return 0;
    }
    if (command == QLatin1String("list") && args.size() == 3)
        return list(withSeparator(args.at(2)));
    if (command == QLatin1String("extract") && args.size() == 5)
        return extract(withSeparator(args.at(2)), args.at(3), args.at(4));
    if (command == QLatin1String("check") && args.size() == 3)
        return check(SetArchive::isSetFile(args.at(2)) ? args.at(2) : withSeparator(args.at(2)));
    if (command == QLatin1String("sheet") && args.size() == 4)
        return sheet(withSeparator(args.at(2)), args.at(3));
    if (command == QLatin1String("bench") && (args.size() == 3 || args.size() == 4))
        return bench(withSeparator(args.at(2)), args.size() == 4 ? args.at(3).toInt() : 1000);
    return usage();
}

// Qt's own messages (an image reader's warnings, a platform plug-in's
// notes) are English and meant for developers; a teacher sees only ours.
// TREFOLIA_QT_MESSAGES=1 lets them through.
void quietQt(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    static const bool passed = qEnvironmentVariableIntValue("TREFOLIA_QT_MESSAGES") != 0;
    if (passed)
        err() << message << '\n';
    else if (type == QtCriticalMsg || type == QtFatalMsg)
        err() << "Błąd wewnętrzny biblioteki Qt; szczegóły pokaże polecenie uruchomione z TREFOLIA_QT_MESSAGES=1\n";
    err().flush();
}

}  // namespace

int main(int argc, char** argv)
{
    qInstallMessageHandler(quietQt);
    Console::useUtf8();
    // Only rendering and fitting the pictures needs fonts and image plug-ins,
    // and so a GUI application; it draws off screen, so no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const bool renders = argc > 1 && (qstrcmp(argv[1], "build") == 0 || qstrcmp(argv[1], "proof") == 0);
    std::unique_ptr<QCoreApplication> app;
    if (renders)
        app = std::make_unique<QGuiApplication>(argc, argv);
    else
        app = std::make_unique<QCoreApplication>(argc, argv);
    try {
        return run(QCoreApplication::arguments());
    } catch (const GameError& error) {
        err() << error.message() << '\n';
        return 1;
    }
}
