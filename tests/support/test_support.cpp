// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/test_support.h"

#include <QDir>
#include <QFile>

BoxRecorder::BoxRecorder(bool a) : answer(a)
{
    Dialogs::setResponder([this](const Dialogs::Box& box) {
        boxes.append(box);
        if (whileOpen)
            whileOpen(box);
        return answer;
    });
}

BoxRecorder::~BoxRecorder()
{
    Dialogs::setResponder({});
}

StartupEnvironment programIn(const QTemporaryDir& dir, const QStringList& missing, int dpi, QSize screen)
{
    QDir(dir.path()).mkdir(QStringLiteral("Base"));
    for (const char* file : {"A.wv", "B.wv", "C.wv", "D.bb", "E.bt", "F.tx", "G.tx", "H.tx"}) {
        if (missing.contains(QLatin1String(file)))
            continue;
        QFile f(dir.filePath(QStringLiteral("Base/") + QLatin1String(file)));
        f.open(QIODevice::WriteOnly);
    }
    StartupEnvironment env;
    env.programDir = dir.path();
    env.screenDpi = dpi;
    env.screenSize = screen;
    return env;
}
