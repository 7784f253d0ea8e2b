// SPDX-License-Identifier: GPL-3.0-or-later
// trefolia-content: makes, inspects, checks and installs content directories.
//   build <set folder> <out dir>      a checked content directory from a set folder
//   proof <set folder or dir> <file.html>  the page a teacher reads before class
//   install <dir> <game folder>       the set into the game's Base/, the old one kept
//   pack <folder of PNGs> <out dir>   an archive (E.bt, D.bb) of PNG files
//   list <dir>                        the pictures of an archive
//   extract <dir> <number> <out.png>  one picture, as the game sees it
//   check <dir>                       everything the game relies on
//   sheet <dir> <out.png>             every picture at tile sizes 80, 48 and 32
//   bench <dir> [calls]               the time of one picture load
// Messages are Polish; any fault gives a non-zero exit status.

#include "content/content_build.h"
#include "content/content_check.h"
#include "content/content_install.h"
#include "tools/content_proof.h"
#include "content/game_error.h"
#include "content/picture_archive.h"

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
             "        trefolia-content proof <folder zestawu albo katalog> <plik.html>\n"
             "        trefolia-content install <katalog zestawu> <folder gry>\n"
             "        trefolia-content pack <katalog z plikami PNG> <katalog wynikowy>\n"
             "        trefolia-content list <katalog>\n"
             "        trefolia-content extract <katalog> <numer> <plik.png>\n"
             "        trefolia-content check <katalog>\n"
             "        trefolia-content sheet <katalog> <plik.png>\n"
             "        trefolia-content bench <katalog> [liczba wywołań]\n";
    return 2;
}

qint64 pictureCount(const QString& dir)
{
    return QFileInfo(dir + QStringLiteral("E.bt")).size() / PictureArchive::indexRecordSize;
}

int check(const QString& dir)
{
    const QStringList faults = ContentCheck::checkDirectory(dir);
    for (const QString& fault : faults)
        err() << fault << '\n';
    if (!faults.isEmpty()) {
        err() << "Katalog " << QDir::toNativeSeparators(dir) << ": błędów: " << faults.size() << '\n';
        return 1;
    }
    out() << "Katalog " << QDir::toNativeSeparators(dir) << " jest poprawny.\n";
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

int run(const QStringList& args)
{
    const QString command = args.value(1);
    if (command == QLatin1String("build") && args.size() == 4) {
        ContentBuild::buildDirectory(args.at(2), args.at(3));
        out() << "Zbudowano i sprawdzono katalog " << QDir::toNativeSeparators(args.at(3)) << '\n';
        return 0;
    }
    if (command == QLatin1String("proof") && args.size() == 4) {
        const QStringList faults = ContentProof::write(args.at(2), args.at(3));
        out() << "Zapisano arkusz " << QDir::toNativeSeparators(args.at(3)) << "; sprawdzenie: "
              << (faults.isEmpty() ? QStringLiteral("bez błędów") : QStringLiteral("błędów: %1").arg(faults.size()))
              << '\n';
        return faults.isEmpty() ? 0 : 1;
    }
    if (command == QLatin1String("install") && args.size() == 4) {
        ContentInstall::install(args.at(2), args.at(3));
        out() << "Zestaw zainstalowany w " << QDir::toNativeSeparators(QDir(args.at(3)).filePath(QStringLiteral("Base")))
              << "; poprzedni jest w " << ContentInstall::previousName << '\n';
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
        return check(withSeparator(args.at(2)));
    if (command == QLatin1String("sheet") && args.size() == 4)
        return sheet(withSeparator(args.at(2)), args.at(3));
    if (command == QLatin1String("bench") && (args.size() == 3 || args.size() == 4))
        return bench(withSeparator(args.at(2)), args.size() == 4 ? args.at(3).toInt() : 1000);
    return usage();
}

}  // namespace

int main(int argc, char** argv)
{
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
