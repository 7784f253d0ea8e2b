// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// T_Form, the main window. It owns the play state and every control for the
// whole run. Its handlers and routines are defined in the folder of the
// subsystem they belong to; this header shows the whole class.
//   app/      creation and start-up checks, layout, displays, sound and presenter
//   puzzle/   game set-up, the deal, the description composer
//   draw/     tile drawing of shelves and pictograms
//   play/     level selection, shelf interaction, outcomes and clock, shelf panels

#include "app/controls.h"
#include "app/play_state.h"

#include <QPointer>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <random>

class DescriptionView;
class QProgressBar;
class QSoundEffect;
class QTimer;
class QLabel;

// What the start-up checks read from the machine. Tests give their own.
struct StartupEnvironment {
    QString programDir;   // directory of the running program, no trailing separator needed
    int screenDpi = 96;   // logical pixels per inch of the primary screen
    QSize screenSize;     // primary screen in pixels
    QString contentDir = QString();  // the chosen set's content directory; empty: Base/ beside the program

    static StartupEnvironment fromSystem();
    // The content directory the game reads, with its trailing separator.
    QString contentDirectory() const;
};

class T_Form : public QWidget {
    Q_OBJECT
public:
    explicit T_Form(const StartupEnvironment& environment = StartupEnvironment::fromSystem(),
                    QWidget* parent = nullptr);
    ~T_Form() override;

    // The whole play state, for tests and tools that drive the window.
    PlayState& playState() { return ps; }
    const PlayState& playState() const { return ps; }

    // The single pseudo-random source: a uniform integer in 0 .. n - 1.
    int random(int n);
    void seedRandom(std::uint32_t seed) { rng.seed(seed); }

    // Lines of the loaded item list, held by lb_Base.
    const QStringList& itemLines() const;

    // ---- app/: start-up (form_create.cpp)
    void FormCreate();
    void FormActivate();

    // ---- app/: displays of the window (form_displays.cpp)
    void _HelpClick();
    void HideResultClick();
    void ShowResults();
    void UpdateWarmPlayHint();

    // ---- app/: sound, badges, presenter (sound_presenter.cpp)
    void tb_Sound_Click();
    void PlayCue(int cue);
    void i_Projekt_MouseDown(QWidget* sender, Qt::MouseButton button, ShiftState shift, int x, int y);
    void i_Projekt_MouseUp(QWidget* sender, Qt::MouseButton button, ShiftState shift, int x, int y);
    void i_Projekt_MouseMove(QWidget* sender, ShiftState shift, int x, int y);
    void i_Projekt_MouseLeave(QWidget* sender);
    void i_LogoClick();

    // ---- puzzle/: game set-up and deal (game_setup.cpp), description (compose_description.cpp)
    void BuildArrangements(quint16 position, QString arrangement, int itemCount);
    void PrepareGame(int level);
    void DealShelves3();
    void DealShelves4();
    void ComposeDescription(int phrase);

    // ---- draw/: tiles (tile_drawing_form.cpp)
    ImageControl* FindSlotImage(int shelf, int slotTag);
    void DrawShelf(int shelf);
    void DrawPictogram(int pictureNumber);

    // ---- play/: level selection (level_selection.cpp)
    void Etap_Click(QWidget* sender);
    void tb_Warm_PlayClick();

    // ---- play/: shelf interaction (shelf_interaction.cpp)
    void sb_Mode_Click(QWidget* sender);
    void p_Nr_MouseDown(QWidget* sender, Qt::MouseButton button, ShiftState shift, int x, int y);
    void i_MouseDown(QWidget* sender, Qt::MouseButton button, ShiftState shift, int x, int y);
    void sb_DeleteClick();

    // ---- play/: outcomes and clock (outcomes.cpp)
    void ApplyGameState(int code, QWidget* panel = nullptr);
    void t_GameTimer();

    // ---- play/: shelf panel operations (shelf_panels.cpp)
    void ResetShelfPanels(bool value);
    void ApplyModeCursor();
    int CountVisibleShelves();
    void HighlightMatchingShelf(int code);

    // ---- app/: the cues started (sound_presenter.cpp), for tests and tools
    // The cue PlayCue last started (-1 before any) and how many it started.
    int lastCue() const { return lastCueStarted; }
    int cuesStarted() const { return cueStartCount; }

    // Controls by their names.
    template <class T = QWidget>
    T* control(const QString& name) const { return findChild<T*>(name); }

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // ---- app/: layout (form_layout.cpp)
    void buildLayout();
    void connectHandlers();

    // ---- puzzle/: helpers of the deal (game_setup.cpp)
    void dealShelves(int itemCount, int shelfCount);

    // ---- play/: helpers of the game play
    Panel* currentFrame() const;
    QList<Panel*> shelfPanelsOfCurrentFrame() const;
    void setRoundClock(int position);
    void clearFailedDeal(bool roundStartedHere);  // level_selection.cpp
    bool presenterOn() const;  // the marker file Work/A.txt exists (sound_presenter.cpp)
    int lastCueStarted = -1;
    int cueStartCount = 0;

    StartupEnvironment environment;
    PlayState ps;
    std::mt19937 rng;

    // Controls reached often; every control also carries its object name.
    Panel* _Help = nullptr;
    Panel* p_Game = nullptr;
    Panel* p_Komunikat = nullptr;
    Panel* p_Fr_06 = nullptr;
    Panel* p_Fr_12 = nullptr;
    Panel* p_Warm = nullptr;
    Panel* p_Play = nullptr;
    Panel* p_Result_2 = nullptr;
    ImageControl* i_Text = nullptr;
    LineStore* lb_Base = nullptr;
    DescriptionView* rve_Text = nullptr;
    QProgressBar* pb_Note = nullptr;
    QTimer* t_Game = nullptr;
    FlatButton* tb_Warm_Play = nullptr;
    FlatButton* tb_Sound_1 = nullptr;
    FlatButton* tb_Sound_2 = nullptr;
    QSoundEffect* cuePlayer = nullptr;
};

// The single main window and its splash, as the program entry made them.
extern QPointer<T_Form> _Form;
