// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/game_model.h"

#include "content/item_list.h"
#include "game/ordinals.h"
#include "game/time_format.h"
#include "puzzle/arrangements.h"
#include "puzzle/deal.h"
#include "puzzle/phrase_meaning.h"
#include "puzzle/phrase_tables.h"

#include <algorithm>
#include <utility>

// The rules of play. A level press deals a game; a click on a shelf removes
// it, points at it or marks it, by the mode; the delete button removes the
// marked ones. Every decisive step ends in an outcome, and each outcome has
// one function here that makes all of its effects.

namespace {

enum Cue { MistakeCue = 0, WonCue = 1, TimeUpCue = 2 };

constexpr int kLevelCount = 4;
constexpr int kChargeTicks = 180;            // 18 s of round clock for a mistake or an abandoned game
constexpr long double kMistakeSeconds = 30;  // added to the game's own time for a mistake
constexpr long double kTickSeconds = 0.1L;

int itemsPerShelf(int level) { return level == 0 ? 3 : 4; }

// The list file of a level: character level + 1 of S_Fru_Weg, '0' F.tx,
// '1' G.tx, '2' H.tx.
QString listFileOf(const QString& choice, int level)
{
    const int which = level >= 0 && level < choice.size() ? choice[level].digitValue() : 0;
    static const char* const files[] = {"F.tx", "G.tx", "H.tx"};
    return QString::fromLatin1(files[which >= 0 && which < 3 ? which : 0]);
}

}  // namespace

// One move: collects the effects the move makes and hands them over at its
// end. A move made while another waits for the player's answer (a tick
// under a question) collects its own. When an exception cuts a move short,
// what it had made is kept for failedDeal or takeAbandoned.
class GameModel::Move {
public:
    explicit Move(GameModel& model) : model(model), outer(std::exchange(model.pending, {})) {}
    ~Move()
    {
        if (!finished)
            model.abandoned += std::exchange(model.pending, std::move(outer));
    }
    GameChange finish()
    {
        finished = true;
        return GameChange{std::exchange(model.pending, std::move(outer))};
    }

private:
    GameModel& model;
    QList<GameEffect> outer;
    bool finished = false;
};

GameModel::GameModel(Ask ask) : askPlayer(std::move(ask)) {}

int GameModel::random(int n)
{
    // Like the classic Random(n): nothing to choose from gives 0, never an
    // empty distribution.
    if (n <= 1)
        return 0;
    return std::uniform_int_distribution<int>(0, n - 1)(rng);
}

// ---- effects

void GameModel::effect(GameEffect::Kind kind, int value)
{
    GameEffect e{kind};
    e.value = value;
    e.level = ps.N_Level;
    pending.append(e);
}

void GameModel::shelfEffect(GameEffect::Kind kind, int shelf, int value)
{
    GameEffect e{kind};
    e.value = value;
    e.level = ps.N_Level;
    e.shelf = shelf;
    pending.append(e);
}

void GameModel::setMessage(const QString& text)
{
    table.message = text;
    GameEffect e{GameEffect::ShowMessage};
    e.text = text;
    pending.append(e);
}

void GameModel::setClock(int ticks)
{
    // The clock clamps, so a charge that passes the end leaves it full.
    table.clock = std::clamp(ticks, 0, table.clockMax);
    effect(GameEffect::ShowClock, table.clock);
}

void GameModel::playCue(int cue) { effect(GameEffect::PlayCue, cue); }

void GameModel::enableFrames(bool on)
{
    table.framesEnabled = on;
    effect(GameEffect::EnableFrames, on);
}

void GameModel::layShelves(bool value)
{
    table.laid = value;
    const int count = frameShelfCount();
    for (int i = 0; i < MaxShelves; ++i) {
        table.onTable[size_t(i)] = value && i < count;
        table.looks[size_t(i)] = ShelfLook::Plain;
    }
    effect(GameEffect::LayShelves, value);
}

void GameModel::removeShelf(int shelf)
{
    table.onTable[size_t(shelf)] = false;
    shelfEffect(GameEffect::RemoveShelf, shelf);
}

void GameModel::setLook(int shelf, ShelfLook look)
{
    table.looks[size_t(shelf)] = look;
    shelfEffect(GameEffect::ColourShelf, shelf, int(look));
}

void GameModel::clearDescription()
{
    table.pieces.clear();
    table.words.clear();
    effect(GameEffect::ClearDescription);
}

// ---- questions

bool GameModel::onTable(int shelf) const
{
    return shelf >= 0 && shelf < frameShelfCount() && table.onTable[size_t(shelf)];
}

int GameModel::CountVisibleShelves() const
{
    // A shelf is on the table while it has not been removed, whether or not
    // its row is shown at the moment.
    return int(std::count(table.onTable.begin(), table.onTable.begin() + frameShelfCount(), true));
}

bool GameModel::marked(int shelf) const
{
    return gameOnTable() && shelf >= 0 && shelf < int(ps.T_Pic_Self.size()) && ps.T_Pic_Self[size_t(shelf)].Mode != 0;
}

QString GameModel::listPathOf(int level) const
{
    return ps.Base_B + listFileOf(ps.S_Fru_Weg, level);
}

ShelfLook GameModel::look(int shelf) const
{
    return shelf >= 0 && shelf < MaxShelves ? table.looks[size_t(shelf)] : ShelfLook::Plain;
}

QStringList GameModel::shelfCodes(int shelf) const
{
    QStringList codes;
    if (!gameOnTable() || shelf < 0 || shelf >= int(ps.T_Pic_Self.size()))
        return codes;
    const QString& pictures = ps.T_Pic_Self[size_t(shelf)].Pict;
    for (int at = 0; at + PictureCodeWidth <= pictures.size(); at += PictureCodeWidth)
        codes << pictures.mid(at, PictureCodeWidth);
    return codes;
}

QString GameModel::spokenDescription(const std::function<QString(const QString&)>& nameOf) const
{
    if (table.pieces.isEmpty() && table.words.isEmpty())
        return {};
    return ::spokenDescription(ps.N_Level, ps.Nr_Frazy, ps.TElement, table.lines, nameOf);
}

// ---- game set-up and deal

void GameModel::BuildArrangements(quint16 position, QString arrangement, int itemCount)
{
    appendArrangements(ps.S_Shelf, position, std::move(arrangement), itemCount);
}

void GameModel::prepareGame(int level)
{
    enableFrames(false);
    ps.Pause = false;
    layShelves(false);
    enableFrames(true);
    setMessage(QString());
    if (level >= 0 && level < int(ps.Time_Runda.size())) {
        table.clockMax = ps.Time_Runda[size_t(level)];
        table.clock = std::clamp(table.clock, 0, table.clockMax);
        effect(GameEffect::ShowClockMaximum, table.clockMax);
    }

    // A mode chosen in an earlier game carries over (removing until one is).
    if (ps.N_Mode >= RemoveMode && ps.N_Mode <= MarkMode)
        effect(GameEffect::ShowMode, ps.N_Mode);

    // Every game reads its list afresh. A list the level cannot be dealt
    // from is refused here, before anything is built from it.
    const int items = itemsPerShelf(level);
    const QString path = listPathOf(level);
    table.lines = loadItemList(path);
    effect(GameEffect::ShowItemList);
    checkItemListForLevel(table.lines, items, path);

    ps.S_Fruct.clear();
    for (const QString& line : table.lines)
        ps.S_Fruct += line.left(PictureCodeWidth);

    ps.S_Shelf.clear();
    BuildArrangements(1, identityArrangement(items), items);

    effect(GameEffect::ShowModeCursor);
    layShelves(true);
    enableFrames(true);
}

void GameModel::dealShelves(int itemCount, int shelfCount)
{
    const int level = ps.N_Level;
    const DealPlan plan = planDeal(PhraseTables::phraseCount(level), itemCount, shelfCount, ps.S_Fruct, ps.S_Shelf,
                                   [this](int n) { return random(n); },
                                   [level](int phrase, const QString& order) {
                                       return PhraseMeaning::fitsAnyReading(level, phrase, order);
                                   });
    ps.Nr_Frazy = plan.phrase;
    ps.N_Self = shelfCount;
    ps.Correct_S = plan.correctShelf;

    for (int i = 0; i < ps.N_Self; ++i) {
        const QString& order = plan.shelves[i];
        const QString pictures = shelfPictures(plan.items, order);
        if (i == ps.Correct_S) {
            assignElements(ps.TElement, plan.items, order, ps.S_Fruct);
            // Composed as soon as the matching shelf's items are known.
            composeDescription(ps.Nr_Frazy);
        }
        ps.T_Pic_Self[size_t(i)].Mode = 0;
        ps.T_Pic_Self[size_t(i)].Pict = pictures;
    }
    for (int i = 0; i < ps.N_Self; ++i)
        shelfEffect(GameEffect::DrawShelf, i);
}

void GameModel::composeDescription(int phrase)
{
    const int level = ps.N_Level;
    table.pieces.clear();
    table.words.clear();
    if (isPictureLevel(level))
        table.pieces = pictureDescription(level, phrase, ps.TElement, table.lines);
    else
        table.words = wordDescription(level, phrase, ps.TElement, table.lines);
    effect(GameEffect::ShowDescription);
}

// ---- outcomes

void GameModel::applyOutcome(Outcome outcome, int shelf)
{
    ps.Game.State = int(outcome);
    switch (outcome) {
    case Outcome::TimeUp: timeUp(); break;
    case Outcome::Lost: lose(); break;
    case Outcome::Mistake: mistake(shelf); break;
    case Outcome::Abandoned: abandon(); break;
    case Outcome::Won: win(); break;
    case Outcome::WarmUpChosen: chooseWarmUp(); break;
    case Outcome::TimedChosen: chooseTimed(); break;
    }
}

void GameModel::showMatching(ShelfLook look)
{
    if (!gameOnTable() || ps.Correct_S >= frameShelfCount())
        return;  // no game on the table, so no matching shelf to colour
    setLook(ps.Correct_S, look);
}

void GameModel::timeUp()
{
    playCue(TimeUpCue);
    setMessage(QStringLiteral("Upłynął czas! Koniec rundy"));
    ps.Pause = true;
    ps.B_Round = false;
    ps.B_Game = false;
    setClock(0);
    ps.TCurT = 0;
    ps.Cnt_Sedno = 0;
    // The interrupted game stays on the table and can be finished without a clock.
}

void GameModel::lose()
{
    playCue(MistakeCue);
    enableFrames(false);
    setMessage(QStringLiteral("Pomyłka! Koniec gry"));
    showMatching(ShelfLook::Lost);
    ps.B_Game = false;
    ps.Pause = true;
    ps.TCurT = 0;
}

void GameModel::mistake(int shelf)
{
    playCue(MistakeCue);
    setMessage(QStringLiteral("Pomyłka! Graj dalej"));
    if (shelf >= 0 && shelf < MaxShelves)
        setLook(shelf, ShelfLook::Mistaken);
    if (ps.B_Round) {
        setClock(table.clock + kChargeTicks);
        ps.TCurT += kMistakeSeconds;
    }
}

void GameModel::abandon()
{
    ps.TCurT = 0;
    ps.B_Game = false;
    setClock(table.clock + kChargeTicks);
}

void GameModel::win()
{
    enableFrames(false);
    showMatching(ShelfLook::Won);
    ps.B_Game = false;
    ps.Pause = true;
    if (ps.B_Round) {
        ++ps.Cnt_Sedno;
        const QString ordinal = ordinalWord(ps.Cnt_Sedno);
        playCue(WonCue);
        setMessage(QStringLiteral("Dobrze! W czasie ") + formatSeconds(ps.TCurT) + QStringLiteral(" s ukończona ")
                   + ordinal + QStringLiteral(" gra tej rundy."));
        ps.TGame[size_t(ps.N_Level)] = qMax(ps.TGame[size_t(ps.N_Level)], ps.Cnt_Sedno);
        if (ps.TCurT > 0 && ps.TCurT < ps.TBest[size_t(ps.N_Level)])
            ps.TBest[size_t(ps.N_Level)] = ps.TCurT;
    } else {
        playCue(WonCue);
        setMessage(QStringLiteral("Brawo! Gra zakończona"));
    }
    ps.TCurT = 0;
    effect(GameEffect::ShowResults);
    if (!ps.Rozgrzewka && !ps.B_Round) {
        // A game finished after its round ran out: the player must pick a level to play on.
        GameEffect tell{GameEffect::Tell};
        tell.text = QStringLiteral("Aby rozpocząć nową rundę wybierz poziom gry 1, 2, 3, 4.");
        tell.caption = QStringLiteral("Koniec rundy");
        pending.append(tell);
    }
}

void GameModel::clearTable(const QString& message)
{
    // A new way of playing starts from an empty table and a still clock.
    setClock(0);
    ps.Correct_S = -1;
    layShelves(false);
    setMessage(message);
    clearDescription();
    ps.Pause = true;
    ps.TCurT = 0;
    ps.Cnt_Sedno = 0;
}

void GameModel::chooseWarmUp()
{
    clearTable(QStringLiteral("Rozgrzewka"));
    ps.B_Game = false;
    ps.B_Round = false;
}

void GameModel::chooseTimed()
{
    // B_Game and B_Round are the caller's: a level press sets both right afterwards.
    clearTable(QStringLiteral("Gra na czas"));
}

// ---- moves

GameChange GameModel::pressLevel(int level)
{
    Move move(*this);
    if (level < 0 || level >= kLevelCount)
        return move.finish();
    const bool sameLevel = level == ps.N_Level;
    const auto ask = [this](const QString& text, const QString& caption) {
        return askPlayer ? askPlayer(text, caption) : true;
    };

    if (ps.B_Game && sameLevel) {
        if (!ask(QStringLiteral("Czy chcesz zrezygnować z tej gry."),
                 QStringLiteral("Rezygnacja z kontynuowania tej gry")))
            return move.finish();
        // The clock runs on while the question waits. If the round ran out
        // meanwhile there is no timed game left to abandon, and charging it
        // would start the next round with 18 seconds already gone.
        if (ps.B_Game)
            applyOutcome(Outcome::Abandoned, -1);
    }

    if (ps.B_Round && !sameLevel) {
        if (!ask(QStringLiteral("Czy chcesz zrezygnować z gry na tym poziomie i rozpocząć nową rundę."),
                 QStringLiteral("Rezygnacja z kontynuowania rundy"))) {
            // The pressed button went down; the round goes on at its level.
            effect(GameEffect::RestoreLevelButton);
            return move.finish();
        }
        applyOutcome(Outcome::TimedChosen, -1);
    }

    // A press in timed play either goes on with the round of this level or starts a new one.
    roundStartedByLastPress = !ps.Rozgrzewka && !(ps.B_Round && sameLevel);
    if (!ps.Rozgrzewka) {
        ps.B_Game = true;
        ps.B_Round = true;
    }

    ps.N_Level = level;
    ps.T_Level = level == 0 ? 100 : 200;

    prepareGame(ps.N_Level);
    effect(GameEffect::ShowFrameOfLevel);
    if (ps.N_Level == 0)
        dealShelves(3, 6);
    else
        dealShelves(4, 12);
    return move.finish();
}

GameChange GameModel::failedDeal()
{
    Move move(*this);
    pending = std::exchange(abandoned, {});
    // No game is in progress: the clock stands still, nothing is charged
    // later, and the next level press deals without a question. A round that
    // was running before the press goes on between games; one this press
    // began never started.
    ps.B_Game = false;
    if (roundStartedByLastPress)
        ps.B_Round = false;
    ps.Pause = true;
    ps.TCurT = 0;
    ps.Correct_S = -1;

    // Nothing of this or another game stays on the table.
    effect(GameEffect::ShowFrameOfLevel);
    layShelves(false);
    clearDescription();
    return move.finish();
}

GameChange GameModel::takeAbandoned() { return GameChange{std::exchange(abandoned, {})}; }

GameChange GameModel::chooseMode(int mode)
{
    Move move(*this);
    // The marks of mode 2 survive a change of mode.
    ps.N_Mode = mode;
    effect(GameEffect::ShowModeCursor);
    return move.finish();
}

GameChange GameModel::clickShelf(int shelf)
{
    Move move(*this);
    // A finished game takes no clicks, nor does a table without a game.
    if (!table.framesEnabled || !gameOnTable() || shelf < 0 || shelf >= ps.N_Self || !onTable(shelf))
        return move.finish();

    switch (ps.N_Mode) {
    case RemoveMode:
        if (shelf != ps.Correct_S) {
            removeShelf(shelf);
            if (CountVisibleShelves() == 1)
                applyOutcome(Outcome::Won, -1);
        } else {
            // The matching shelf chosen for removal: lost, and it stays on the table.
            applyOutcome(Outcome::Lost, -1);
        }
        break;
    case PointMode:
        applyOutcome(shelf == ps.Correct_S ? Outcome::Won : Outcome::Mistake, shelf);
        break;
    case MarkMode: {
        std::uint8_t& mark = ps.T_Pic_Self[size_t(shelf)].Mode;
        mark = mark == 0 ? 1 : 0;
        shelfEffect(GameEffect::DrawShelf, shelf);
        break;
    }
    default:
        break;
    }
    return move.finish();
}

GameChange GameModel::deleteMarked()
{
    Move move(*this);
    if (!table.framesEnabled || !gameOnTable())
        return move.finish();  // the game is over, or none is on the table

    const int shelves = std::clamp(ps.N_Self, 0, int(ps.T_Pic_Self.size()));
    // A marked matching shelf loses the game before anything is removed.
    if (marked(ps.Correct_S) && ps.Correct_S < shelves) {
        applyOutcome(Outcome::Lost, -1);
        return move.finish();
    }
    for (int i = 0; i < shelves; ++i)
        if (ps.T_Pic_Self[size_t(i)].Mode != 0 && i < frameShelfCount())
            removeShelf(i);

    if (CountVisibleShelves() == 1)
        applyOutcome(Outcome::Won, -1);
    return move.finish();
}

GameChange GameModel::switchWarmTimed()
{
    Move move(*this);
    if (!ps.Rozgrzewka && ps.B_Round) {
        if (askPlayer && !askPlayer(QStringLiteral("Czy chcesz zrezygnować z gry na czas."), QStringLiteral("Gra na czas"))) {
            effect(GameEffect::ShowWarmTimed);  // timed play stays chosen
            return move.finish();
        }
    }
    ps.Rozgrzewka = !ps.Rozgrzewka;
    effect(GameEffect::ShowWarmTimed);
    applyOutcome(ps.Rozgrzewka ? Outcome::WarmUpChosen : Outcome::TimedChosen, -1);
    return move.finish();
}

GameChange GameModel::tick()
{
    Move move(*this);
    if (ps.Rozgrzewka || ps.Pause)
        return move.finish();
    setClock(table.clock + 1);
    ps.TCurT += kTickSeconds;
    if (table.clock == table.clockMax)
        applyOutcome(Outcome::TimeUp, -1);
    return move.finish();
}

GameChange GameModel::presenterPress(bool ctrlLeftAlone)
{
    Move move(*this);
    // In warm-up any press shows the matching shelf; in timed play only
    // Ctrl with the left button alone, so a pupil does not find it by chance.
    if (gameOnTable() && (ps.Rozgrzewka || ctrlLeftAlone))
        showMatching(ShelfLook::Revealed);
    return move.finish();
}

GameChange GameModel::presenterRelease(bool ctrlLeftReleased)
{
    Move move(*this);
    if (gameOnTable() && ctrlLeftReleased)
        showMatching(ShelfLook::Plain);
    return move.finish();
}

// ---- routines as moves of their own

GameChange GameModel::PrepareGame(int level)
{
    Move move(*this);
    prepareGame(level);
    return move.finish();
}

GameChange GameModel::DealShelves3()
{
    Move move(*this);
    dealShelves(3, 6);
    return move.finish();
}

GameChange GameModel::DealShelves4()
{
    Move move(*this);
    dealShelves(4, 12);
    return move.finish();
}

GameChange GameModel::ApplyGameState(Outcome outcome, int shelf)
{
    Move move(*this);
    applyOutcome(outcome, shelf);
    return move.finish();
}

GameChange GameModel::ResetShelfPanels(bool value)
{
    Move move(*this);
    layShelves(value);
    return move.finish();
}

GameChange GameModel::HighlightMatchingShelf(ShelfLook look)
{
    Move move(*this);
    showMatching(look);
    return move.finish();
}
