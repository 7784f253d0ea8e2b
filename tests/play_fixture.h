// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window as the play suites drive it: its own content directory, the
// help overlay hidden, a fixed seed, every box answered by a recorder, and
// helpers that press and click what a pupil presses and clicks. Ticks of
// the round clock are called directly; nothing waits for real time.

#include "app/controls.h"
#include "app/t_form.h"
#include "draw/description_view.h"
#include "support/test_content.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QProgressBar>
#include <QTest>
#include <memory>

class PlayFixture {
public:
    explicit PlayFixture(std::uint32_t seed = 7, bool answer = true) : boxes(answer)
    {
        // Times read as on a Polish system, whatever the test machine's settings.
        QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
        TestContent::writeContentDir(dir.path() + QStringLiteral("/Base"), 8);
        QDir(dir.path()).mkpath(QStringLiteral("Work"));
        form = std::make_unique<T_Form>(StartupEnvironment{dir.path(), 96, {1280, 1024}});
        form->_HelpClick();
        form->seedRandom(seed);
        form->show();
    }

    PlayState& ps() { return form->playState(); }

    FlatButton* button(const QString& name) const { return form->control<FlatButton>(name); }
    FlatButton* levelButton(int level) const { return button(QStringLiteral("sb_Level_%1").arg(level)); }
    Panel* panel(const QString& name) const { return form->control<Panel>(name); }
    QProgressBar* clock() const { return form->control<QProgressBar>(QStringLiteral("pb_Note")); }
    int clockPosition() const { return clock()->value(); }
    QString message() const { return panel(QStringLiteral("p_Komunikat"))->caption(); }
    DescriptionView* description() const { return form->control<DescriptionView>(QStringLiteral("rve_Text")); }

    void pressLevel(int level) { levelButton(level)->click(); }
    void toggleWarmPlay() { button(QStringLiteral("tb_Warm_Play"))->click(); }
    void chooseMode(int mode) { button(QStringLiteral("sb_Mode_%1").arg(mode))->click(); }
    void pressDelete() { button(QStringLiteral("sb_Delete"))->click(); }
    void tick(int count = 1)
    {
        for (int i = 0; i < count; ++i)
            form->t_GameTimer();
    }

    // Timed play from the start: the toggle down, then a level pressed.
    void startRound(int level)
    {
        toggleWarmPlay();
        pressLevel(level);
    }

    // Shelf i of the current level, by the names the layout gives them.
    Panel* shelf(int i) const
    {
        if (form->playState().N_Level == 0)
            return panel(QStringLiteral("p_No_%1").arg(i));
        return panel(QStringLiteral("P_Nr_%1").arg(QString::number(i, 16).toUpper()));
    }
    // The image of slot k on shelf i.
    ImageControl* item(int i, int k) const
    {
        if (form->playState().N_Level == 0)
            return form->control<ImageControl>(QStringLiteral("i3_%1_%2").arg(i).arg(k));
        return form->control<ImageControl>(
            QStringLiteral("i_%1_%2").arg(QString::number(i, 16).toUpper()).arg(k));
    }

    // A press as the mouse gives it: through Qt, so a disabled frame keeps it away.
    void clickShelf(int i, Qt::MouseButton mouseButton = Qt::LeftButton, Qt::KeyboardModifiers keys = {})
    {
        Panel* target = shelf(i);
        QTest::mouseClick(target, mouseButton, keys, QPoint(target->width() - 2, target->height() - 2));
    }
    void clickItem(int i, int k = 0, Qt::MouseButton mouseButton = Qt::LeftButton)
    {
        QTest::mouseClick(item(i, k), mouseButton, {}, QPoint(10, 10));
    }

    // The n-th shelf (from 0) that is not the matching one.
    int wrongShelf(int n = 0)
    {
        for (int i = 0; i < ps().N_Self; ++i)
            if (i != ps().Correct_S && n-- == 0)
                return i;
        return -1;
    }

    // Wins the game on the table by pointing at the matching shelf.
    void winByPointing()
    {
        chooseMode(1);
        clickShelf(ps().Correct_S);
    }

    int shownShelves()
    {
        int shown = 0;
        for (int i = 0; i < ps().N_Self; ++i)
            shown += shelf(i)->isHidden() ? 0 : 1;
        return shown;
    }

    QTemporaryDir dir;
    BoxRecorder boxes;
    std::unique_ptr<T_Form> form;
};
