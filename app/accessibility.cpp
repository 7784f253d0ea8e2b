// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/accessibility.h"

#include "app/action_guard.h"
#include "app/announcements.h"
#include "app/t_form.h"
#include "content/item_list.h"
#include "content/picture_archive.h"
#include "draw/description_view.h"
#include "puzzle/description_pieces.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QProgressBar>
#include <QRegularExpression>

#include <array>

namespace {

constexpr int kCodeLength = 5;

T_Form* formOf(const QWidget* widget)
{
    return widget ? qobject_cast<T_Form*>(widget->window()) : nullptr;
}

// By name, not by tag: a control may be asked for its interface while it
// is being made, before its tag is set, and the interface is kept.
bool isShelf(const QObject* control)
{
    static const QRegularExpression shelfName(QStringLiteral("^(p_No_[0-5]|P_Nr_[0-9AB])$"));
    return control && shelfName.match(control->objectName()).hasMatch();
}

// The shelf index of a shelf panel, or -1 when it does not belong to the
// frame of the current level.
int shelfIndexOf(const T_Form& form, const QWidget* panel)
{
    const int tag = tagOf(panel);
    const int base = tag >= 200 ? 200 : 100;
    return base == form.playState().T_Level ? tag - base : -1;
}

// The items of shelf i in slot order, as the game dealt them.
QStringList shelfItems(const T_Form& form, int shelf)
{
    QStringList items;
    for (const QString& code : form.model().shelfCodes(shelf))
        items << spokenItemName(form, code);
    return items;
}

class ShelfAccessible : public QAccessibleWidget {
public:
    explicit ShelfAccessible(Panel* shelf) : QAccessibleWidget(shelf, QAccessible::ListItem) {}

    QString text(QAccessible::Text t) const override
    {
        const T_Form* form = formOf(widget());
        if (!form)
            return QAccessibleWidget::text(t);
        const int shelf = shelfIndexOf(*form, widget());
        if (t == QAccessible::Name) {
            const QString number = static_cast<const Panel*>(widget())->caption().trimmed();
            const QStringList items = shelfItems(*form, shelf);
            return items.isEmpty() ? QStringLiteral("Półka %1").arg(number)
                                   : QStringLiteral("Półka %1: %2").arg(number, items.join(QStringLiteral(", ")));
        }
        if (t == QAccessible::Description) {
            QStringList states;
            const GameModel& game = form->model();
            if (game.marked(shelf))
                states << QStringLiteral("zaznaczona");
            if (shelf >= 0 && game.decided())
                states << (game.matches(shelf) ? QStringLiteral("pasuje do opisu")
                                               : QStringLiteral("nie pasuje do opisu"));
            return states.join(QStringLiteral(", "));
        }
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        if (const T_Form* form = formOf(widget())) {
            const int shelf = shelfIndexOf(*form, widget());
            const GameModel& game = form->model();
            s.checkable = form->playState().N_Mode == GameModel::MarkMode || game.marked(shelf);
            s.checked = game.marked(shelf);
        }
        return s;
    }

    QStringList actionNames() const override
    {
        return widget()->isVisible() && widget()->isEnabled() ? QStringList{pressAction()} : QStringList{};
    }
    void doAction(const QString& action) override
    {
        // The same press of the left button a mouse gives.
        T_Form* form = formOf(widget());
        if (form && action == pressAction() && widget()->isVisible() && widget()->isEnabled()) {
            const int shelf = shelfIndexOf(*form, widget());
            if (shelf >= 0)
                guardedAction([&] { form->chooseShelf(shelf); });
        }
    }
};

// An item image on a shelf.
class SlotAccessible : public QAccessibleWidget {
public:
    explicit SlotAccessible(QWidget* slot) : QAccessibleWidget(slot, QAccessible::Graphic) {}
    QString text(QAccessible::Text t) const override
    {
        const T_Form* form = formOf(widget());
        if (t != QAccessible::Name || !form)
            return QAccessibleWidget::text(t);
        return item();
    }
    QAccessible::State state() const override
    {
        // The spare fifth slot of the small shelves shows no item.
        QAccessible::State s = QAccessibleWidget::state();
        s.invisible = s.invisible || item().isEmpty();
        return s;
    }

private:
    QString item() const
    {
        const T_Form* form = formOf(widget());
        const int slot = tagOf(widget()) - 1;
        return form ? shelfItems(*form, shelfIndexOf(*form, widget()->parentWidget())).value(slot) : QString();
    }
};

// A panel that shows a text: the message bar, the results' values, the
// timed-play panel.
class CaptionAccessible : public QAccessibleWidget {
public:
    CaptionAccessible(Panel* panel, QAccessible::Role role) : QAccessibleWidget(panel, role) {}
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<const Panel*>(widget())->caption();
        return QAccessibleWidget::text(t);
    }
};

// The results panel as a table: a row per level, its cells the level, the
// most games completed in one round and the best time, read from the
// value boxes as they stand.
class ResultCell : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    ResultCell(QWidget* panel, int row, int column) : panel(panel), row(row), column(column) {}

    bool isValid() const override { return !panel.isNull(); }
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(panel); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name || !isValid())
            return {};
        if (column == 0)
            return QStringLiteral("Poziom %1").arg(row + 1);
        const auto* box = panel->findChild<Panel*>(shownBy());
        return box ? box->caption() : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override
    {
        const QWidget* shown = isValid() ? panel->findChild<QWidget*>(shownBy()) : nullptr;
        return shown ? QRect(shown->mapToGlobal(QPoint()), shown->size()) : QRect();
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.readOnly = true;
        s.invisible = !isValid() || !panel->isVisible();
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column; }
    int rowIndex() const override { return row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    // The control that shows the cell: the level box's header, its count or its time.
    QString shownBy() const
    {
        const int level = row + 1;
        return column == 0   ? QStringLiteral("l_%1").arg(level) + u'1'
               : column == 1 ? QStringLiteral("p_%1_G").arg(level)
                             : QStringLiteral("p_%1_T").arg(level);
    }

    QPointer<QWidget> panel;
    int row;
    int column;
};

class ResultsAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    static constexpr int Rows = 4;
    static constexpr int Columns = 3;

    explicit ResultsAccessible(QWidget* panel) : QAccessibleWidget(panel, QAccessible::Table, QStringLiteral("Wyniki")) {}
    ~ResultsAccessible() override
    {
        for (const QAccessible::Id id : cells)
            if (id)
                QAccessible::deleteAccessibleInterface(id);
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    int childCount() const override { return Rows * Columns; }
    QAccessibleInterface* child(int index) const override
    {
        return index >= 0 && index < Rows * Columns ? cellAt(index / Columns, index % Columns) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (int i = 0; i < Rows * Columns; ++i)
            if (cells[size_t(i)] && QAccessible::accessibleInterface(cells[size_t(i)]) == child)
                return i;
        return -1;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QAccessibleInterface* cellAt(int row, int column) const override
    {
        if (row < 0 || row >= Rows || column < 0 || column >= Columns)
            return nullptr;
        QAccessible::Id& id = cells[size_t(row * Columns + column)];
        if (!id)
            id = QAccessible::registerAccessibleInterface(new ResultCell(widget(), row, column));
        return QAccessible::accessibleInterface(id);
    }
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QString columnDescription(int column) const override
    {
        static const QString headers[Columns] = {QStringLiteral("Poziom"),
                                                 QStringLiteral("ukończonych gier w jednej rundzie"),
                                                 QStringLiteral("najlepszy uzyskany czas")};
        return column >= 0 && column < Columns ? headers[column] : QString();
    }
    QString rowDescription(int row) const override { return QStringLiteral("Poziom %1").arg(row + 1); }
    int columnCount() const override { return Columns; }
    int rowCount() const override { return Rows; }
    int selectedCellCount() const override { return 0; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    mutable std::array<QAccessible::Id, Rows * Columns> cells{};
};

class ButtonAccessible : public QAccessibleWidget {
public:
    explicit ButtonAccessible(FlatButton* button) : QAccessibleWidget(button, roleOf(button->objectName())) {}

    QString text(QAccessible::Text t) const override
    {
        const QString name = widget()->objectName();
        const T_Form* form = formOf(widget());
        if (t == QAccessible::Accelerator)
            return keyOf(widget());
        if (t != QAccessible::Name || !form)
            return QAccessibleWidget::text(t);
        if (name.startsWith(QLatin1String("sb_Level_")))
            return QStringLiteral("Poziom %1").arg(tagOf(widget()) + 1);
        if (name == QLatin1String("sb_Mode_0"))
            return QStringLiteral("Tryb usuwania półki, która nie pasuje do opisu");
        if (name == QLatin1String("sb_Mode_1"))
            return QStringLiteral("Tryb wskazywania półki, która pasuje do opisu");
        if (name == QLatin1String("sb_Mode_2"))
            return QStringLiteral("Tryb zaznaczania półek, które nie pasują do opisu");
        if (name == QLatin1String("sb_Delete"))
            return QStringLiteral("Usuwanie zaznaczonych półek");
        if (name == QLatin1String("tb_Warm_Play"))
            return form->playState().Rozgrzewka ? QStringLiteral("Tryb gry: rozgrzewka")
                                                : QStringLiteral("Tryb gry: gra na czas");
        if (name.startsWith(QLatin1String("tb_Sound_")))
            return form->playState().B_Sound ? QStringLiteral("Dźwięk włączony") : QStringLiteral("Dźwięk wyłączony");
        if (name.startsWith(QLatin1String("tb_Help_")))
            return QStringLiteral("Zasady gry");
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        const auto* button = static_cast<const FlatButton*>(widget());
        s.checkable = button->isCheckable();
        // A sound button that is down means sound off: it reads as checked
        // while the sound is on.
        const T_Form* form = formOf(widget());
        s.checked = widget()->objectName().startsWith(QLatin1String("tb_Sound_")) && form
                        ? form->playState().B_Sound
                        : button->isChecked();
        return s;
    }

    QStringList actionNames() const override
    {
        return widget()->isVisible() && widget()->isEnabled() ? QStringList{pressAction()} : QStringList{};
    }
    void doAction(const QString& action) override
    {
        // As a click: a hidden or disabled button does nothing.
        if (action == pressAction() && widget()->isVisible())
            static_cast<FlatButton*>(widget())->click();
    }

private:
    static QAccessible::Role roleOf(const QString& name)
    {
        if (name.startsWith(QLatin1String("sb_Level_")) || name.startsWith(QLatin1String("sb_Mode_")))
            return QAccessible::RadioButton;
        if (name == QLatin1String("tb_Warm_Play") || name.startsWith(QLatin1String("tb_Sound_")))
            return QAccessible::CheckBox;
        return QAccessible::Button;
    }
    static QString keyOf(const QWidget* button)
    {
        const QString name = button->objectName();
        if (name.startsWith(QLatin1String("sb_Level_")))
            return QString::number(tagOf(button) + 1);
        static const QHash<QString, QString> keys{
            {QStringLiteral("sb_Mode_0"), QStringLiteral("U")},  {QStringLiteral("sb_Mode_1"), QStringLiteral("W")},
            {QStringLiteral("sb_Mode_2"), QStringLiteral("Z")},  {QStringLiteral("sb_Delete"), QStringLiteral("Delete")},
            {QStringLiteral("tb_Warm_Play"), QStringLiteral("R")}, {QStringLiteral("tb_Sound_1"), QStringLiteral("D")},
            {QStringLiteral("tb_Sound_2"), QStringLiteral("D")}, {QStringLiteral("tb_Help_0"), QStringLiteral("F1")},
            {QStringLiteral("tb_Help_1"), QStringLiteral("F1")}};
        return keys.value(name);
    }
};

// The description as text: every item named in the form its sentence
// needs, the pictograms of the picture levels too.
QString descriptionText(const T_Form& form, const DescriptionView& view)
{
    const QString shown = view.plainText();
    if (shown.isEmpty())
        return {};
    const QString spoken =
        form.model().spokenDescription([&form](const QString& code) { return spokenItemName(form, code); });
    return spoken.isEmpty() ? shown.simplified() : spoken;
}

class DescriptionAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit DescriptionAccessible(DescriptionView* view) : QAccessibleWidget(view, QAccessible::StaticText) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return whole();
        if (t == QAccessible::Description)
            return QStringLiteral("Opis ułożenia owoców na szukanej półce");
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        // Shown as read-only text: the view is disabled only so that it
        // never takes the focus or a click.
        QAccessible::State s = QAccessibleWidget::state();
        s.disabled = false;
        s.readOnly = true;
        s.focusable = false;
        return s;
    }

    // The text interface, read-only, with no caret and no selection.
    QString text(int start, int end) const override { return whole().mid(start, end - start); }
    int characterCount() const override { return int(whole().size()); }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override
    {
        *start = *end = offset;
        return {};
    }

private:
    QString whole() const
    {
        const T_Form* form = formOf(widget());
        return form ? descriptionText(*form, *static_cast<const DescriptionView*>(widget())) : QString();
    }
};

// The round clock, read as the seconds left in the round. A label to AT-SPI:
// Orca speaks every progress bar unasked, and as a percentage.
class RoundClockAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit RoundClockAccessible(QProgressBar* bar) : QAccessibleWidget(bar, QAccessible::StaticText) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return QStringLiteral("Czas rundy: zostało %1 s").arg(secondsLeft());
        if (t == QAccessible::Value)
            return QStringLiteral("zostało %1 s").arg(secondsLeft());
        return QAccessibleWidget::text(t);
    }
    QVariant currentValue() const override { return secondsLeft(); }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return bar()->maximum() / 10; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 0; }

private:
    const QProgressBar* bar() const { return static_cast<const QProgressBar*>(widget()); }
    // Ticks of 100 ms; a part of a second counts as a whole one.
    int secondsLeft() const { return (qMax(0, bar()->maximum() - bar()->value()) + 9) / 10; }
};

// Pictures that only decorate (logo, badges, footer, the warm-up picture):
// left out by screen readers, so that flat review reads the game alone.
class DecorationAccessible : public QAccessibleWidget {
public:
    explicit DecorationAccessible(QWidget* picture) : QAccessibleWidget(picture, QAccessible::Graphic) {}
    QString text(QAccessible::Text) const override { return {}; }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.invisible = true;
        return s;
    }
};

bool isDecoration(const QString& name)
{
    static const QStringList pictures{QStringLiteral("i_Logo"), QStringLiteral("i_AllRights"),
                                      QStringLiteral("i_Graph"), QStringLiteral("i_Projekt_0"),
                                      QStringLiteral("i_Projekt_1"), QStringLiteral("i_Text")};
    return pictures.contains(name);
}

// The rules picture, read as its words with the set's own word for its items.
class RulesAccessible : public QAccessibleWidget {
public:
    explicit RulesAccessible(QWidget* picture) : QAccessibleWidget(picture, QAccessible::StaticText) {}
    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        const T_Form* form = formOf(widget());
        return rulesText(form ? form->setWord() : QString());
    }
};

QAccessibleInterface* trefoliaInterface(const QString& className, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!formOf(widget))
        return nullptr;  // other windows keep Qt's own interfaces
    const QString name = widget->objectName();
    // The window is a frame to AT-SPI, and active while it is the active
    // window: Orca speaks the focus only inside an active frame.
    if (className == QLatin1String("T_Form"))
        return new QAccessibleWidget(widget, QAccessible::Window);
    if (className == QLatin1String("Panel")) {
        auto* panel = static_cast<Panel*>(widget);
        if (isShelf(panel))
            return new ShelfAccessible(panel);
        if (name == QLatin1String("p_Komunikat"))
            return new CaptionAccessible(panel, QAccessible::StaticText);
        if (name == QLatin1String("p_Play"))
            return new CaptionAccessible(panel, QAccessible::Pane);
        if (name == QLatin1String("p_Result_2"))
            return new ResultsAccessible(panel);
        if (name == QLatin1String("_Help"))
            return new QAccessibleWidget(panel, QAccessible::Pane, QStringLiteral("Zasady gry"));
        // Every other panel only groups controls; as a frame it would pass
        // for a window of its own.
        return new QAccessibleWidget(panel, QAccessible::Pane);
    }
    if (className == QLatin1String("ImageControl")) {
        if (isShelf(widget->parentWidget()))
            return new SlotAccessible(widget);
        if (name == QLatin1String("i_Help"))
            return new RulesAccessible(widget);
        if (isDecoration(name))
            return new DecorationAccessible(widget);
        return nullptr;
    }
    if (className == QLatin1String("FlatButton"))
        return new ButtonAccessible(static_cast<FlatButton*>(widget));
    if (className == QLatin1String("DescriptionView"))
        return new DescriptionAccessible(static_cast<DescriptionView*>(widget));
    if (className == QLatin1String("QProgressBar") && name == QLatin1String("pb_Note"))
        return new RoundClockAccessible(static_cast<QProgressBar*>(widget));
    return nullptr;
}

}  // namespace

QString spokenItemName(const T_Form& form, const QString& pictureCode)
{
    for (const QString& line : form.itemLines()) {
        if (line.left(kCodeLength) != pictureCode)
            continue;
        if (const QString name = nameForm(line, 0); !name.isEmpty())
            return name;
        break;
    }
    bool isNumber = false;
    const int number = pictureCode.toInt(&isNumber);
    if (!isNumber)
        return QStringLiteral("obrazek nr %1").arg(pictureCode.trimmed());
    try {
        QString name;
        LoadArchivePicture(form.playState().Base_B, number, name);
        if (!name.trimmed().isEmpty())
            return name.trimmed();
    } catch (...) {
        // A damaged archive only costs the name; nobody must hear an error here.
    }
    return QStringLiteral("obrazek nr %1").arg(number);
}

void installAccessibility(T_Form* form)
{
    static const bool installed = [] {
        QAccessible::installFactory(trefoliaInterface);
        return true;
    }();
    Q_UNUSED(installed);
    // The keys are told with the rules (F1), not at every start.
    form->setAccessibleName(QStringLiteral("Trefolia"));
}
