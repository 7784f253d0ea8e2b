// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared helpers of the test suites: temporary content directories and a
// recorder that answers the game's message boxes.

#include "app/dialogs.h"
#include "app/t_form.h"

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>

// Records every box shown while it lives and answers questions with `answer`.
class BoxRecorder {
public:
    explicit BoxRecorder(bool answer = true);
    ~BoxRecorder();
    QList<Dialogs::Box> boxes;
    bool answer;
    // Runs while a box is open, before it is answered (the timer keeps
    // ticking under a real modal box; a test can tick it here).
    std::function<void(const Dialogs::Box&)> whileOpen;
};

// A program directory in `dir` whose Base/ holds every content file, empty,
// except those named in `missing`, on a screen of `dpi` and `screen` size:
// enough for the window to start (no level can be dealt from it).
StartupEnvironment programIn(const QTemporaryDir& dir, const QStringList& missing = {}, int dpi = 96,
                             QSize screen = QSize(1280, 1024));
