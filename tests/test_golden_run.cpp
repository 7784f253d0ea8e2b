// SPDX-License-Identifier: GPL-3.0-or-later
// A golden run: one scripted pupil, fixed seeds, hundreds of clicks, key
// presses, clock ticks and answers to boxes over every level and mode, in
// warm-up and in timed play. After every action one line records what the
// window shows: pictures (digests of the grabbed shelf frame and window),
// texts, the round clock, the boxes, the last cue and what a screen reader
// reads. Only widgets, object names and QAccessible are read, never the
// play state, so the record survives any rework of how the rules are kept.
// The short run is compared with tests/golden/short_run.txt
// (TREFOLIA_GOLDEN_UPDATE=1 rewrites it); the long run is written to the
// file TREFOLIA_GOLDEN_RECORD names.
#include "play_fixture.h"

#include <QAccessible>
#include <QCryptographicHash>
#include <QtTest>
#include <deque>
#include <functional>
#include <random>

namespace {

constexpr std::uint32_t kGameSeed = 20261209;
constexpr std::uint32_t kScriptSeed = 4051;
constexpr int kBlocks = 24;  // warm-up / timed x 4 levels x 3 modes

// First 16 hex digits of SHA-1 over the RGB32 rows of the widget's grab;
// "-" for a widget not on screen (grabbing it would lay it out early).
QString digestOf(QWidget* widget)
{
    if (!widget || !widget->isVisible())
        return QStringLiteral("-");
    const QImage image = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (int y = 0; y < image.height(); ++y)
        hash.addData(QByteArrayView(reinterpret_cast<const char*>(image.constScanLine(y)), image.width() * 4));
    return QString::fromLatin1(hash.result().toHex().left(16));
}

// One line per action: line breaks and control characters spelled out.
QString escaped(const QString& text)
{
    QString out;
    for (const QChar c : text)
        out += c == u'\n' ? QStringLiteral("\\n")
               : c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0) || c.unicode() == 0xFFFC
                   ? QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'))
                   : QString(c);
    return out;
}

QString spoken(QObject* object)
{
    QAccessibleInterface* iface = object ? QAccessible::queryAccessibleInterface(object) : nullptr;
    if (!iface)
        return QStringLiteral("?");
    const QString description = iface->text(QAccessible::Description);
    return escaped(iface->text(QAccessible::Name)) + (description.isEmpty() ? QString() : QStringLiteral(" / ") + escaped(description));
}

class ScriptedPupil {
public:
    ScriptedPupil(PlayFixture& game, std::uint32_t seed) : game(game), rng(seed)
    {
        // The presenter's marker file, so the badges answer their presses.
        QFile marker(game.dir.path() + QStringLiteral("/Work/A.txt"));
        marker.open(QIODevice::WriteOnly);
        // Questions answered Yes or No by the script; now and then the clock
        // ticks on while a box waits, as it does under a real one.
        game.boxes.whileOpen = [this](const Dialogs::Box&) {
            this->game.boxes.answer = pick(2) == 0;
            if (pick(4) == 0)
                this->game.tick(pick(8) + 1);
        };
    }

    // The whole run: each of the 24 blocks first sets its warm-up or timed
    // play, level and mode, then plays at random. One line per action.
    QStringList run(int actions)
    {
        QStringList record;
        for (int step = 0; step < actions; ++step) {
            if (step * kBlocks % actions < kBlocks) {  // a block starts
                const int block = step * kBlocks / actions;
                const bool timed = block % 2 == 1;
                queued.push_back([this, timed] {
                    return checked(game.button(QStringLiteral("tb_Warm_Play"))) == timed
                               ? QStringLiteral("(already %1)").arg(timed ? u"timed" : u"warm-up")
                               : click(QStringLiteral("tb_Warm_Play"));
                });
                queued.push_back([this, block] { return click(QStringLiteral("sb_Level_%1").arg(block / 2 % 4)); });
                queued.push_back([this, block] { return click(QStringLiteral("sb_Mode_%1").arg(block / 8)); });
            }
            QString action;
            if (!queued.empty()) {
                action = queued.front()();
                queued.pop_front();
            } else {
                action = act();
            }
            record << QStringLiteral("%1 %2 | %3").arg(step + 1, 4, 10, QLatin1Char('0')).arg(action, seen());
            game.boxes.boxes.clear();
        }
        return record;
    }

private:
    int pick(int n) { return int(rng() % std::uint32_t(n)); }

    static bool checked(QWidget* widget)
    {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
        return iface && iface->state().checked;
    }
    bool smallFrame() const { return game.panel(QStringLiteral("p_Fr_06"))->isVisible(); }
    QString shelfName(int i) const
    {
        return smallFrame() ? QStringLiteral("p_No_%1").arg(i)
                            : QStringLiteral("P_Nr_%1").arg(QString::number(i, 16).toUpper());
    }
    QString itemName(int i, int k) const
    {
        return smallFrame() ? QStringLiteral("i3_%1_%2").arg(i).arg(k)
                            : QStringLiteral("i_%1_%2").arg(QString::number(i, 16).toUpper()).arg(k);
    }
    QString visibleOf(const QString& first, const QString& second) const
    {
        return game.form->control(first)->isVisible() ? first : second;
    }

    // A pupil reaches only what is on screen: the rules cover the rest.
    QString click(const QString& name, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers keys = {},
                  bool pressOnly = false)
    {
        QWidget* target = game.form->control(name);
        auto* help = game.panel(QStringLiteral("_Help"));
        if (help->isVisible() && target != help && !help->isAncestorOf(target)) {
            QTest::mouseClick(help, Qt::LeftButton, {}, QPoint(5, 5));
            return QStringLiteral("rules clicked away instead of %1").arg(name);
        }
        if (!target || !target->isVisible())
            return QStringLiteral("%1 not on screen").arg(name);
        const QPoint at(target->width() - 2, target->height() - 2);
        if (pressOnly)
            QTest::mousePress(target, button, keys, at);
        else
            QTest::mouseClick(target, button, keys, at);
        const char* how = button == Qt::LeftButton ? "left" : button == Qt::RightButton ? "right" : "middle";
        return QStringLiteral("%1 %2 %3%4")
            .arg(QLatin1String(pressOnly ? "press" : "click"), name, QLatin1String(keys ? "Ctrl+" : ""), QLatin1String(how));
    }

    QString key()
    {
        static const std::pair<int, const char*> keys[] = {
            {Qt::Key_1, "1"}, {Qt::Key_2, "2"}, {Qt::Key_3, "3"}, {Qt::Key_4, "4"}, {Qt::Key_U, "U"},
            {Qt::Key_W, "W"}, {Qt::Key_Z, "Z"}, {Qt::Key_R, "R"}, {Qt::Key_D, "D"}, {Qt::Key_M, "M"},
            {Qt::Key_F1, "F1"}, {Qt::Key_Escape, "Esc"}, {Qt::Key_Delete, "Delete"},
            {Qt::Key_Backspace, "Backspace"}, {Qt::Key_Tab, "Tab"}, {Qt::Key_Backtab, "Shift+Tab"},
            {Qt::Key_Home, "Home"}, {Qt::Key_End, "End"}, {Qt::Key_Return, "Return"}, {Qt::Key_Enter, "Enter"},
            {Qt::Key_Space, "Space"}, {Qt::Key_Space, "Space"}, {Qt::Key_Left, "Left"}, {Qt::Key_Right, "Right"},
            {Qt::Key_Up, "Up"}, {Qt::Key_Down, "Down"}, {Qt::Key_Left, "Left"}, {Qt::Key_Right, "Right"},
            {Qt::Key_Up, "Up"}, {Qt::Key_Down, "Down"}};
        const auto& [code, name] = keys[pick(int(std::size(keys)))];
        const QString label = QString::fromLatin1(name);
        const QString text = label.size() == 1 ? label : code == Qt::Key_Space ? QStringLiteral(" ") : QString();
        const Qt::KeyboardModifiers mods = code == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier;
        QKeyEvent down(QEvent::KeyPress, code, mods, text);
        QKeyEvent up(QEvent::KeyRelease, code, mods, text);
        QApplication::sendEvent(game.form.get(), &down);
        QApplication::sendEvent(game.form.get(), &up);
        return QStringLiteral("key ") + label;
    }

    QString act()
    {
        static const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
        if (!pendingRelease.isEmpty()) {  // the badge held down last time comes up now
            QWidget* badge = game.form->control(pendingRelease);
            const Qt::KeyboardModifiers keys = pick(4) ? Qt::ControlModifier : Qt::NoModifier;
            QTest::mouseRelease(badge, Qt::LeftButton, keys, QPoint(10, 10));
            return QStringLiteral("release %1%2").arg(std::exchange(pendingRelease, QString()), keys ? u" Ctrl" : u"");
        }
        const int roll = pick(100);
        if (roll < 4)
            return click(QStringLiteral("sb_Level_%1").arg(pick(4)));
        if (roll < 8)
            return click(QStringLiteral("sb_Mode_%1").arg(pick(3)));
        if (roll < 11)
            return click(QStringLiteral("sb_Delete"));
        if (roll < 12)
            return click(QStringLiteral("tb_Warm_Play"));
        if (roll < 13)
            return click(visibleOf(QStringLiteral("tb_Sound_1"), QStringLiteral("tb_Sound_2")));
        if (roll < 14)
            return click(visibleOf(QStringLiteral("tb_Help_0"), QStringLiteral("tb_Help_1")));
        if (roll < 15) {
            static const char* const results[] = {"p_Play", "p_R1", "p_R3", "p_R5", "p_L11", "p_L32"};
            return click(QLatin1String(results[pick(6)]));
        }
        if (roll < 17) {
            const QString badge = visibleOf(QStringLiteral("i_Projekt_0"), QStringLiteral("i_Projekt_1"));
            const QString what = click(badge, Qt::LeftButton, pick(3) ? Qt::ControlModifier : Qt::NoModifier, true);
            if (what.startsWith(u"press"))
                pendingRelease = badge;
            return what;
        }
        const bool small = smallFrame();
        const int shelf = pick(small ? 6 : 12), slot = pick(small ? 3 : 4);
        const Qt::MouseButton button = buttons[pick(4)];
        const Qt::KeyboardModifiers keys = pick(5) ? Qt::NoModifier : Qt::ControlModifier;
        if (roll < 32)
            return click(shelfName(shelf), button, keys);
        if (roll < 47)
            return click(itemName(shelf, slot), button, keys);
        if (roll < 76)
            return key();
        const int ticks = roll < 94 ? pick(30) + 1 : roll < 98 ? pick(300) + 31 : pick(1300) + 1;
        game.tick(ticks);
        return QStringLiteral("%1 ticks").arg(ticks);
    }

    // Everything the window shows after an action; a part equal to the
    // line before reads "=".
    QString seen()
    {
        QWidget* frame = game.panel(smallFrame() ? QStringLiteral("p_Fr_06") : QStringLiteral("p_Fr_12"));
        const QProgressBar* clock = game.clock();
        QStringList boxes;
        for (const Dialogs::Box& box : game.boxes.boxes)
            boxes << QStringLiteral("%1 \"%2\" \"%3\"").arg(box.kind).arg(escaped(box.caption), escaped(box.text));
        QStringList shelves;
        for (int i = 0; i < (smallFrame() ? 6 : 12); ++i) {
            QWidget* shelf = game.form->control(shelfName(i));
            shelves << (shelf->isVisible() ? QString() : QStringLiteral("~")) + spoken(shelf);
        }
        QWidget* focused = game.form->focusWidget();
        const QString text = escaped(game.description()->plainText()), shelfText = shelves.join(QStringLiteral("; "));
        const QString line =
            QStringLiteral("frame %1 %2 window %3 | \"%4\" | clock %5/%6%7 | boxes [%8] | cue %9/%10 | focus %11 \"%12\"")
                .arg(frame->objectName(), digestOf(frame), digestOf(game.form.get()), escaped(game.message()))
                .arg(clock->value())
                .arg(clock->maximum())
                .arg(clock->isVisible() ? QString() : QStringLiteral(" hidden"), boxes.join(QStringLiteral(", ")))
                .arg(game.form->lastCue())
                .arg(game.form->cuesStarted())
                .arg(focused ? focused->objectName() : QStringLiteral("none"), focused ? spoken(focused) : QString());
        const QString result = line + QStringLiteral(" | text %1 | shelves %2")
                                          .arg(text == lastText ? QStringLiteral("=") : u'"' + text + u'"',
                                               shelfText == lastShelves ? QStringLiteral("=") : shelfText);
        lastText = text;
        lastShelves = shelfText;
        return result;
    }

    PlayFixture& game;
    std::mt19937 rng;
    std::deque<std::function<QString()>> queued;
    QString pendingRelease;
    QString lastText, lastShelves;
};

QStringList goldenRun(int actions)
{
    PlayFixture game(kGameSeed);
    ScriptedPupil pupil(game, kScriptSeed);
    return pupil.run(actions);
}

bool writeRecord(const QString& path, const QStringList& record)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
           && file.write((record.join(u'\n') + u'\n').toUtf8()) > 0;
}

}  // namespace

class TestGoldenRun : public QObject {
    Q_OBJECT
private slots:
    void shortRunMatchesRecord();
    void longRunRecorded();
};

void TestGoldenRun::shortRunMatchesRecord()
{
    const QString path = QStringLiteral(TREFOLIA_GOLDEN_DIR "/short_run.txt");
    const QStringList actual = goldenRun(300);
    if (qEnvironmentVariable("TREFOLIA_GOLDEN_UPDATE") == u"1") {
        QVERIFY2(writeRecord(path, actual), qPrintable(path));
        qInfo("golden run: %s rewritten", qPrintable(path));
        return;
    }
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(QStringLiteral("no stored record ") + path));
    const QStringList expected = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < std::max(expected.size(), actual.size()); ++i)
        if (expected.value(i) != actual.value(i))
            QFAIL(qPrintable(QStringLiteral("line %1 differs\nexpected: %2\nactual:   %3")
                                 .arg(i + 1)
                                 .arg(expected.value(i, QStringLiteral("(none)")), actual.value(i, QStringLiteral("(none)")))));
}

void TestGoldenRun::longRunRecorded()
{
    const QString path = qEnvironmentVariable("TREFOLIA_GOLDEN_RECORD");
    if (path.isEmpty())
        QSKIP("TREFOLIA_GOLDEN_RECORD names no file: the long run is not recorded");
    const QStringList record = goldenRun(1500);
    QVERIFY2(writeRecord(path, record), qPrintable(path));
    qInfo("golden run: %lld lines written to %s", qlonglong(record.size()), qPrintable(path));
}

QTEST_MAIN(TestGoldenRun)
#include "test_golden_run.moc"
