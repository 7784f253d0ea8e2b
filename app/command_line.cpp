// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line.h"

#include "app/exit_status.h"
#include "content/set_folder.h"
#include "content/set_locations.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

namespace {

LaunchChoice refuse(const QString& text)
{
    return {LaunchChoice::Action::Refuse, QString(), QStringLiteral("trefolia: ") + text + QLatin1Char('\n'),
            ExitStatus::CommandLine};
}

LaunchChoice print(const QString& text) { return {LaunchChoice::Action::Print, QString(), text, 0}; }

LaunchChoice play(const QString& folder)
{
    return {LaunchChoice::Action::Play, QDir::cleanPath(QFileInfo(folder).absoluteFilePath()), QString(), 0};
}

QString helpText(const QList<QCommandLineOption>& options)
{
    QString text = QStringLiteral("Użycie: trefolia [--set NAZWA | --set FOLDER] [--skala N | --skala auto] "
                                  "[--kontrast] [--list-sets]\n"
                                  "Trefolia – znajdź półkę, na której przedmioty leżą zgodnie z opisem.\n"
                                  "Bez opcji gra zestawem z folderu Base obok programu.\n\nOpcje:\n");
    for (const QCommandLineOption& option : options) {
        QStringList names;
        for (const QString& name : option.names())
            names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
        QString left = names.join(QStringLiteral(", "));
        if (!option.valueName().isEmpty())
            left += QLatin1Char(' ') + option.valueName();
        text += QStringLiteral("  ") + left.leftJustified(26) + QLatin1Char(' ') + option.description() +
                QLatin1Char('\n');
    }
    return text;
}

QString setList()
{
    QString text;
    for (const SetLocations::InstalledSet& set : SetLocations::installedSets())
        text += set.name + QLatin1Char('\t') + QDir::toNativeSeparators(set.folder) + QLatin1Char('\n');
    return text;
}

LaunchChoice unknownSet(const QString& name)
{
    QStringList names;
    for (const SetLocations::InstalledSet& set : SetLocations::installedSets())
        names << set.name;
    QString text = QStringLiteral("Nie ma zestawu „%1”. ").arg(name);
    if (names.isEmpty())
        text += QStringLiteral("Nie zainstalowano żadnego zestawu (instaluje je polecenie trefolia-content install).");
    else
        text += QStringLiteral("Zainstalowane zestawy: %1.").arg(names.join(QStringLiteral(", ")));
    return refuse(text);
}

// An installed set by its name first; then a folder, so that a name never
// depends on the folder the command is typed in.
LaunchChoice chooseSet(const QString& value)
{
    const bool path = value.contains(QLatin1Char('/')) || value.contains(QDir::separator()) ||
                      value == QLatin1String(".") || value == QLatin1String("..");
    if (!path) {
        const QString folder = SetLocations::findSet(value);
        if (!folder.isEmpty())
            return play(folder);
    }
    const QFileInfo info(value);
    if (!info.isDir()) {
        if (!path)
            return unknownSet(value);
        return refuse(QStringLiteral("Nie ma folderu „%1”.").arg(QDir::toNativeSeparators(value)));
    }
    if (!SetLocations::holdsContent(value) && SetFolder::isSetFolder(value))
        return refuse(QStringLiteral("Folder „%1” to zestaw przed zbudowaniem (ma pictures.txt). Zbuduj go "
                                     "poleceniem: trefolia-content build %1 FOLDER_GOTOWY, a potem graj "
                                     "zestawem z folderu FOLDER_GOTOWY.")
                          .arg(QDir::toNativeSeparators(value)));
    return play(value);
}

}  // namespace

LaunchChoice chooseLaunch(const QStringList& arguments)
{
    const QCommandLineOption setOption(
        QStringLiteral("set"), QStringLiteral("gra zestawem NAZWA (zob. --list-sets) albo zestawem z FOLDERU"),
        QStringLiteral("NAZWA|FOLDER"));
    const QCommandLineOption listOption(QStringLiteral("list-sets"),
                                        QStringLiteral("wypisuje zainstalowane zestawy: nazwę, tabulator, folder"));
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("wypisuje tę pomoc"));
    const QCommandLineOption scaleOption(
        QStringLiteral("skala"),
        QStringLiteral("powiększa całe okno do N procent (100–300) albo, z auto, do skali pulpitu, "
                       "na ile mieści się na ekranie"),
        QStringLiteral("N|auto"));
    const QCommandLineOption contrastOption(QStringLiteral("kontrast"),
                                            QStringLiteral("wysoki kontrast dla słabowidzących (klawisz K)"));
    const QList<QCommandLineOption> options{setOption, scaleOption, contrastOption, listOption, helpOption};

    QCommandLineParser parser;
    // "-platform offscreen" is one option of Qt's, not eight letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions(options);
    // Unknown one-dash options fail the parse; they are Qt's, see below.
    parser.parse(arguments);

    // Qt's own options are written with one dash; a double-dash option the
    // game does not know is a mistyped one of the game's.
    QStringList known;
    for (const QCommandLineOption& option : options)
        known << option.names();
    for (const QString& argument : arguments.mid(1)) {
        if (argument == QLatin1String("--"))
            break;
        const QString name = argument.mid(2).section(QLatin1Char('='), 0, 0);
        if (argument.startsWith(QLatin1String("--")) && !known.contains(name))
            return refuse(QStringLiteral("Nieznana opcja „%1”. Dostępne opcje pokazuje: trefolia --help.")
                              .arg(argument.section(QLatin1Char('='), 0, 0)));
    }
    if (parser.isSet(helpOption))
        return print(helpText(options));
    if (parser.isSet(listOption))
        return print(setList());
    // --set or --skala as the last word has no value to take.
    const auto valueMissing = [&](const QCommandLineOption& option, const QString& name) {
        const bool last = arguments.size() > 1 && (arguments.last() == QLatin1String("--") + name ||
                                                   arguments.last() == QLatin1String("-") + name);
        return last || (parser.isSet(option) && parser.value(option).isEmpty());
    };
    if (valueMissing(setOption, QStringLiteral("set")))
        return refuse(QStringLiteral("Po --set podaj nazwę zestawu albo jego folder (zob. trefolia --list-sets)."));
    int scalePercent = 0;
    bool scaleAuto = false;
    if (valueMissing(scaleOption, QStringLiteral("skala")))
        return refuse(QStringLiteral("Po --skala podaj liczbę procent od 100 do 300 albo auto."));
    if (parser.isSet(scaleOption)) {
        const QString value = parser.value(scaleOption).trimmed();
        bool number = false;
        scalePercent = QString(value).remove(QLatin1Char('%')).toInt(&number);
        scaleAuto = value == QLatin1String("auto");
        if (scaleAuto)
            scalePercent = 0;
        else if (!number || scalePercent < 100 || scalePercent > 300)
            return refuse(QStringLiteral("Skala „%1” jest nieprawidłowa: podaj liczbę procent od 100 do 300 "
                                         "(na przykład --skala 150) albo --skala auto.")
                              .arg(value));
    }
    LaunchChoice choice = parser.isSet(setOption) ? chooseSet(parser.value(setOption)) : LaunchChoice();
    choice.scalePercent = scalePercent;
    choice.scaleAuto = scaleAuto;
    choice.highContrast = parser.isSet(contrastOption);
    return choice;
}
