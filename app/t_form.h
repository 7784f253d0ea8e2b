// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// T_Form, the main window: the view of the game. It holds the game model
// (game/game_model.h, the play state and the rules) and every control for
// the whole run, turns clicks, keys and timer ticks into the model's moves
// and shows what each move changed.
//   form_create.cpp     creation and start-up checks
//   form_layout.cpp     the controls and their wiring
//   game_handlers.cpp   the handlers that make moves
//   game_view.cpp       what a move changed, shown on the controls
//   shelf_drawing.cpp   tiles of shelves and pictograms, the description
//   form_displays.cpp, sound_presenter.cpp   help, results, sound, presenter

#include "app/controls.h"
#include "game/game_model.h"

#include <QColor>
#include <QImage>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

class DescriptionView;
class QProgressBar;
class QSoundEffect;
class QTimer;
class QLabel;

// What the start-up checks read from the machine. Tests give their own.
struct StartupEnvironment {
    QString programDir;   // directory of the running program, no trailing separator needed
    int screenDpi = 96;   // pixels per inch the desktop draws text at, on the primary screen
    QSize screenSize;     // primary screen in device pixels
    QString contentDir = QString();  // the chosen set's content directory; empty: Base/ beside the program
    bool highContrast = false;       // --kontrast asked for the high-contrast view
    double scale = 1;                // the factor Qt draws the layout at

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

    // The game the window shows, and its whole play state.
    GameModel& model() { return game; }
    const GameModel& model() const { return game; }
    PlayState& playState() { return ps; }
    const PlayState& playState() const { return ps; }

    // The single pseudo-random source: a uniform integer in 0 .. n - 1.
    int random(int n) { return game.random(n); }
    void seedRandom(std::uint32_t seed) { game.seedRandom(seed); }

    // Lines of the loaded item list (lb_Base shows the same).
    const QStringList& itemLines() const { return game.itemLines(); }

    // ---- app/: start-up (form_create.cpp)
    void FormCreate();
    void FormActivate();
    // The program's exit status for the start-up checks' verdict: 0 when
    // they passed, else the refusal's (app/exit_status.h).
    int startupStatus() const;

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

    // ---- handlers that make the model's moves (game_handlers.cpp)
    void Etap_Click(QWidget* sender);
    void tb_Warm_PlayClick();
    void sb_Mode_Click(QWidget* sender);
    void p_Nr_MouseDown(QWidget* sender, Qt::MouseButton button, ShiftState shift, int x, int y);
    void i_MouseDown(QWidget* sender, Qt::MouseButton button, ShiftState shift, int x, int y);
    void sb_DeleteClick();
    void t_GameTimer();
    // The shelf chosen, as a left click on it chooses it (keys and the screen reader).
    void chooseShelf(int shelf);

    // ---- the model's routines, made and shown (game_handlers.cpp)
    void BuildArrangements(quint16 position, QString arrangement, int itemCount);
    void PrepareGame(int level);
    void DealShelves3();
    void DealShelves4();
    // Outcome codes as the play state records them (see game/outcome.h).
    void ApplyGameState(int code, QWidget* panel = nullptr);
    void ResetShelfPanels(bool value);
    int CountVisibleShelves() { return game.CountVisibleShelves(); }
    // -5 presenter shows, -4 presenter hides, -2 lost, 1 won.
    void HighlightMatchingShelf(int code);

    // ---- what a move changed, on the controls (game_view.cpp)
    void showChange(const GameChange& change);
    // The panel of shelf `shelf` in the frame of `level`; nullptr when none.
    Panel* shelfPanel(int level, int shelf) const;
    void ApplyModeCursor();

    // ---- tiles and the description (shelf_drawing.cpp)
    ImageControl* FindSlotImage(int shelf, int slotTag);
    void DrawShelf(int shelf);
    void DrawPictogram(int pictureNumber);
    void ComposeDescription();
    // Writes `pieces` into `view` as the description shows them, each
    // pictogram drawn by `pictogram(pictureNumber)`.
    static void writeDescription(DescriptionView& view, const QList<DescriptionPiece>& pieces,
                                 const std::function<QImage(int pictureNumber)>& pictogram);

    // ---- app/: the cues started (sound_presenter.cpp), for tests and tools
    // The cue PlayCue last started (-1 before any) and how many it started.
    int lastCue() const { return lastCueStarted; }
    int cuesStarted() const { return cueStartCount; }

    // ---- the high-contrast view (high_contrast.cpp)
    bool highContrast() const { return highContrastOn; }
    // Shows the window in the high-contrast view, or in its own colours:
    // colours, weights and sizes change, and marks stand beside the states;
    // the layout, pictures and words stay.
    void setHighContrast(bool on);

    // The set's plural word for its items ("zwierzęta"); empty for fruits.
    const QString& setWord() const { return pluralWord; }

    // Controls by their names.
    template <class T = QWidget>
    T* control(const QString& name) const { return findChild<T*>(name); }

signals:
    // A move's change, just shown on the controls.
    void changeShown(const GameChange& change);

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // ---- app/: layout (form_layout.cpp)
    void buildLayout();
    void connectHandlers();

    // ---- game_view.cpp
    Panel* frameOf(int level) const;
    Panel* currentFrame() const { return frameOf(ps.N_Level); }
    QList<Panel*> shelfPanelsOf(int level) const;
    void showEffect(const GameEffect& effect);
    void resetShelfPanelsOf(int level, bool value);
    // Makes a move and shows it; what a move cut short by an exception had
    // changed is shown before the exception goes on.
    template <class MakeMove>
    void perform(MakeMove&& makeMove);

    // The colour a shelf shows for `look` in the view now shown.
    QColor shelfColour(ShelfLook look) const;
    void showContrastOnShelves();
    // The description's text size in the view now shown, on the level shown.
    int descriptionTextSize() const;
    void findDescriptionSizes();

    bool presenterOn() const;  // the marker file Work/A.txt exists (sound_presenter.cpp)
    int lastCueStarted = -1;
    int cueStartCount = 0;

    StartupEnvironment environment;
    QString pluralWord;
    GameModel game;
    PlayState& ps = game.state();

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

    bool highContrastOn = false;
    QWidget* contrastMarks = nullptr;   // made the first time the view is asked for
    QString ownClockStyle;
    // The description's bold sizes in the view, on the word and on the
    // picture levels, found the first time the view is asked for.
    int contrastWordSize = 0;
    int contrastPictureSize = 0;
};

// The single main window and its splash, as the program entry made them.
extern QPointer<T_Form> _Form;
