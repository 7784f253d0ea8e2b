#pragma once
// Shared helpers of the test suites: temporary content directories and a
// recorder that answers the game's message boxes.

#include "app/dialogs.h"

#include <QList>
#include <QString>
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
