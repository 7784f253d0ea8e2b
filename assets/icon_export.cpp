// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the window icon as PNG files, one per size, for the desktop's icon
// theme: icon_export <directory> writes <directory>/<size>x<size>/trefolia.png.

#include "app/artwork.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: icon_export <directory>\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    for (int size : Artwork::iconSizes()) {
        const QString dir = QStringLiteral("%1x%1").arg(size);
        if (!root.mkpath(dir) || !Artwork::iconImage(size).save(root.filePath(dir + "/trefolia.png"), "PNG")) {
            std::fprintf(stderr, "icon_export: cannot write %s\n", qPrintable(root.filePath(dir)));
            return 1;
        }
    }
    return 0;
}
