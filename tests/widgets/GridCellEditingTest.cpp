#include "IncomesGridWindow.h"
#include "core/UserDialogs.h"
#include "db/Connection.h"
#include "db/Dataset.h"
#include "db/DbError.h"
#include "db/Sql.h"
#include "support/KeyTarget.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"
#include "widgets/TDBGridNormal.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QHeaderView>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <QVBoxLayout>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace
{

const char* const unchanged =
    "Lumanari;1;10;2024-03-01 / Pomelnice;2;20;2024-03-02 / Donatii;3;30;2024-03-03";

// One user action of a case.
struct Step {
    enum Kind { Key, Type, Retype, Click, LeaveGrid, Save } kind;
    Qt::Key key = Qt::Key_unknown;
    const char* text = ""; // typed, or the clicked cell's field
    int row = 0;           // of the clicked cell
    Qt::KeyboardModifiers modifiers = {};
    int times = 1; // of the key
};
Step key(Qt::Key k, Qt::KeyboardModifiers modifiers = {})
{
    return {Step::Key, k, "", 0, modifiers};
}
Step keyTimes(Qt::Key k, int times)
{
    return {Step::Key, k, "", 0, {}, times};
}
Step type(const char* text)
{
    return {Step::Type, Qt::Key_unknown, text};
}
Step retype(const char* text)
{
    return {Step::Retype, Qt::Key_unknown, text};
}
Step click(int row, const char* field)
{
    return {Step::Click, Qt::Key_unknown, field, row};
}
const Step leaveGrid{Step::LeaveGrid};
const Step save{Step::Save}; // the window's save button: posts the record

} // namespace

TEST(GridCellEditing, KeysOverCellsOfEveryType)
{
    const struct {
        const char* name;
        int row;
        const char* field;
        std::vector<Step> steps;
        const char* stored;
        int toRow;
        const char* toField;
    } cases[] = {
        {"text, Enter",
         1,
         "Explicatie",
         {retype("Acatiste"), key(Qt::Key_Return), key(Qt::Key_Up)},
         "Lumanari;1;10;2024-03-01 / Acatiste;2;20;2024-03-02 / Donatii;3;30;2024-03-03",
         0,
         "Cod_venit"},
        {"integer, Enter",
         1,
         "Cod_venit",
         {retype("55"), key(Qt::Key_Return), key(Qt::Key_Up)},
         "Lumanari;1;10;2024-03-01 / Pomelnice;55;20;2024-03-02 / Donatii;3;30;2024-03-03",
         0,
         "Valoarea"},
        {"number, Enter",
         1,
         "Valoarea",
         {retype("55,5"), key(Qt::Key_Return), key(Qt::Key_Up)},
         "Lumanari;1;10;2024-03-01 / Pomelnice;2;55.5;2024-03-02 / Donatii;3;30;2024-03-03",
         0,
         "Data"},
        {"date, Enter in the last column",
         1,
         "Data",
         {retype("15.04.2024"), key(Qt::Key_Return), key(Qt::Key_Up)},
         "Lumanari;1;10;2024-03-01 / Pomelnice;2;20;2024-04-15 / Donatii;3;30;2024-03-03",
         1,
         "Explicatie"},
        {"text, Right",
         1,
         "Explicatie",
         {retype("Acatiste"), key(Qt::Key_Right), key(Qt::Key_Up)},
         "Lumanari;1;10;2024-03-01 / Acatiste;2;20;2024-03-02 / Donatii;3;30;2024-03-03",
         0,
         "Cod_venit"},
        {"integer, Right",
         1,
         "Cod_venit",
         {retype("55"), key(Qt::Key_Right), key(Qt::Key_Up)},
         "Lumanari;1;10;2024-03-01 / Pomelnice;55;20;2024-03-02 / Donatii;3;30;2024-03-03",
         0,
         "Valoarea"},
        {"number, Right",
         1,
         "Valoarea",
         {retype("55,5"), key(Qt::Key_Right), key(Qt::Key_Up)},
         "Lumanari;1;10;2024-03-01 / Pomelnice;2;55.5;2024-03-02 / Donatii;3;30;2024-03-03",
         0,
         "Data"},
        {"date, Right in the last column",
         1,
         "Data",
         {retype("15.04.2024"), key(Qt::Key_Right), key(Qt::Key_Up)},
         "Lumanari;1;10;2024-03-01 / Pomelnice;2;20;2024-04-15 / Donatii;3;30;2024-03-03",
         1,
         "Explicatie"},
        {"text, Escape",
         1,
         "Explicatie",
         {retype("Acatiste"), key(Qt::Key_Escape), key(Qt::Key_Return), key(Qt::Key_Up)},
         unchanged,
         0,
         "Cod_venit"},
        {"integer, Escape",
         1,
         "Cod_venit",
         {retype("55"), key(Qt::Key_Escape), key(Qt::Key_Return), key(Qt::Key_Up)},
         unchanged,
         0,
         "Valoarea"},
        {"number, Escape",
         1,
         "Valoarea",
         {retype("55,5"), key(Qt::Key_Escape), key(Qt::Key_Return), key(Qt::Key_Up)},
         unchanged,
         0,
         "Data"},
        {"date, Escape",
         1,
         "Data",
         {retype("15.04.2024"), key(Qt::Key_Escape), key(Qt::Key_Up)},
         unchanged,
         0,
         "Data"},
        {"Escape twice: the cell, then the record",
         1,
         "Explicatie",
         {retype("Acatiste"), key(Qt::Key_Return), retype("55"), key(Qt::Key_Escape), key(Qt::Key_Escape),
          key(Qt::Key_Up)},
         unchanged,
         0,
         "Cod_venit"},
        {"text, Insert then Down",
         1,
         "Explicatie",
         {key(Qt::Key_Insert), retype("Taxe"), key(Qt::Key_Down)},
         "Lumanari;1;10;2024-03-01 / Pomelnice;2;20;2024-03-02 / Donatii;3;30;2024-03-03 / Taxe;;;",
         1,
         "Explicatie"},
        {"integer, Insert then Down",
         1,
         "Cod_venit",
         {key(Qt::Key_Insert), key(Qt::Key_Return), retype("30"), key(Qt::Key_Down)},
         "Lumanari;1;10;2024-03-01 / Pomelnice;2;20;2024-03-02 / Donatii;3;30;2024-03-03 / ;30;;",
         1,
         "Cod_venit"},
        {"number, Insert then Down",
         1,
         "Valoarea",
         {key(Qt::Key_Insert), key(Qt::Key_Tab), key(Qt::Key_Tab), retype("30"), key(Qt::Key_Down)},
         "Lumanari;1;10;2024-03-01 / Pomelnice;2;20;2024-03-02 / Donatii;3;30;2024-03-03 / ;;30;",
         1,
         "Valoarea"},
        {"date, Insert then Down",
         1,
         "Data",
         {key(Qt::Key_Insert), key(Qt::Key_End), retype("05.05.2024"), key(Qt::Key_Down)},
         "Lumanari;1;10;2024-03-01 / Pomelnice;2;20;2024-03-02 / Donatii;3;30;2024-03-03 / ;;;2024-05-05",
         1,
         "Data"},
        {"Down below the last row appends",
         2,
         "Valoarea",
         {key(Qt::Key_Down), retype("40"), key(Qt::Key_Up)},
         "Lumanari;1;10;2024-03-01 / Pomelnice;2;20;2024-03-02 / Donatii;3;30;2024-03-03 / ;;40;",
         2,
         "Valoarea"},
        {"Down from an untouched new row: the row that was below it",
         1,
         "Cod_venit",
         {key(Qt::Key_Insert), key(Qt::Key_Return), key(Qt::Key_Down)},
         unchanged,
         1,
         "Cod_venit"},
        {"Up from an untouched new row: the row above it",
         1,
         "Cod_venit",
         {key(Qt::Key_Insert), key(Qt::Key_Return), key(Qt::Key_Up)},
         unchanged,
         0,
         "Cod_venit"},
        {"Home and End while editing",
         1,
         "Valoarea",
         {retype("77"), key(Qt::Key_Home), key(Qt::Key_End), key(Qt::Key_Up)},
         "Lumanari;1;10;2024-03-01 / Pomelnice;2;77;2024-03-02 / Donatii;3;30;2024-03-03",
         0,
         "Data"},
        {"Home and End from the date column",
         2,
         "Data",
         {retype("09.09.2024"), key(Qt::Key_Home), key(Qt::Key_Up)},
         "Lumanari;1;10;2024-03-01 / Pomelnice;2;20;2024-03-02 / Donatii;3;30;2024-09-09",
         1,
         "Explicatie"},
        {"a click on another row stores the typed cell",
         1,
         "Valoarea",
         {retype("21,5"), click(2, "Data")},
         "Lumanari;1;10;2024-03-01 / Pomelnice;2;21.5;2024-03-02 / Donatii;3;30;2024-03-03",
         2,
         "Data"},
        {"a click from an untouched new row",
         1,
         "Valoarea",
         {key(Qt::Key_Insert), click(2, "Explicatie")},
         unchanged,
         1,
         "Explicatie"},
        {"Alt+Down in a cell without a pick list",
         1,
         "Cod_venit",
         {retype("55"), key(Qt::Key_Down, Qt::AltModifier), key(Qt::Key_Up)},
         "Lumanari;1;10;2024-03-01 / Pomelnice;55;20;2024-03-02 / Donatii;3;30;2024-03-03",
         0,
         "Cod_venit"},
        {"leaving the grid with an untouched new row",
         1,
         "Explicatie",
         {key(Qt::Key_Insert), leaveGrid, save},
         unchanged,
         1,
         "Explicatie"},
        {"leaving the grid with a typed new row, begun in its first column",
         1,
         "Valoarea",
         {key(Qt::Key_Insert), retype("Taxe"), leaveGrid, save},
         "Lumanari;1;10;2024-03-01 / Pomelnice;2;20;2024-03-02 / Donatii;3;30;2024-03-03 / Taxe;;;",
         3,
         "Explicatie"},
        {"text typed over a stored row, stored by the window's button",
         1,
         "Explicatie",
         {retype("Acatiste"), save},
         "Lumanari;1;10;2024-03-01 / Acatiste;2;20;2024-03-02 / Donatii;3;30;2024-03-03",
         1,
         "Explicatie"},
        {"a date typed over a stored row, stored by the window's button",
         0,
         "Data",
         {type("05"), save},
         "Lumanari;1;10;2024-03-05 / Pomelnice;2;20;2024-03-02 / Donatii;3;30;2024-03-03",
         0,
         "Data"},
        {"date typed over a filled cell, with separators",
         1,
         "Data",
         {type("05.05.2024"), key(Qt::Key_Up)},
         "Lumanari;1;10;2024-03-01 / Pomelnice;2;20;2024-05-05 / Donatii;3;30;2024-03-03",
         0,
         "Data"},
        {"date typed over a filled cell, digits only",
         1,
         "Data",
         {type("05052024"), key(Qt::Key_Return), key(Qt::Key_Up)},
         "Lumanari;1;10;2024-03-01 / Pomelnice;2;20;2024-05-05 / Donatii;3;30;2024-03-03",
         1,
         "Explicatie"},
        {"date typed over with a one-digit day and month",
         1,
         "Data",
         {type("5.5.2024"), key(Qt::Key_Up)},
         "Lumanari;1;10;2024-03-01 / Pomelnice;2;20;2024-05-05 / Donatii;3;30;2024-03-03",
         0,
         "Data"},
        {"date typed over with a one-digit day, the month kept",
         1,
         "Data",
         {type("1."), key(Qt::Key_Up)},
         "Lumanari;1;10;2024-03-01 / Pomelnice;2;20;2024-03-01 / Donatii;3;30;2024-03-03",
         0,
         "Data"},
        {"date, only the day typed over",
         1,
         "Data",
         {type("17"), key(Qt::Key_Up)},
         "Lumanari;1;10;2024-03-01 / Pomelnice;2;20;2024-03-17 / Donatii;3;30;2024-03-03",
         0,
         "Data"},
        {"empty date, digits only",
         1,
         "Data",
         {key(Qt::Key_Insert), key(Qt::Key_End), type("15042024"), key(Qt::Key_Down)},
         "Lumanari;1;10;2024-03-01 / Pomelnice;2;20;2024-03-02 / Donatii;3;30;2024-03-03 / ;;;2024-04-15",
         1,
         "Data"},
        {"empty date, with separators",
         2,
         "Data",
         {key(Qt::Key_Down), type("15.04.2024"), key(Qt::Key_Up)},
         "Lumanari;1;10;2024-03-01 / Pomelnice;2;20;2024-03-02 / Donatii;3;30;2024-03-03 / ;;;2024-04-15",
         2,
         "Data"},
        {"date cleared with select all and Delete",
         1,
         "Data",
         {key(Qt::Key_A, Qt::ControlModifier), key(Qt::Key_Delete), key(Qt::Key_Up)},
         "Lumanari;1;10;2024-03-01 / Pomelnice;2;20; / Donatii;3;30;2024-03-03",
         0,
         "Data"},
        {"date cleared with Backspace from its end",
         1,
         "Data",
         {keyTimes(Qt::Key_Right, 8), keyTimes(Qt::Key_Backspace, 8), key(Qt::Key_Up)},
         "Lumanari;1;10;2024-03-01 / Pomelnice;2;20; / Donatii;3;30;2024-03-03",
         0,
         "Data"},
        {"date, Escape after typing over it",
         1,
         "Data",
         {type("0505"), key(Qt::Key_Escape), key(Qt::Key_Down), key(Qt::Key_Up)},
         unchanged,
         1,
         "Data"},
        {"date, Right through the cell and on to the next row",
         1,
         "Data",
         {keyTimes(Qt::Key_Right, 9)},
         unchanged,
         2,
         "Explicatie"},
        {"date, Left from its start to the previous cell",
         1,
         "Data",
         {key(Qt::Key_Left), retype("25"), key(Qt::Key_Right), type("1"), key(Qt::Key_Up)},
         "Lumanari;1;10;2024-03-01 / Pomelnice;2;25;2024-03-12 / Donatii;3;30;2024-03-03",
         0,
         "Data"},
        {"untouched empty date in a new row, Down",
         1,
         "Data",
         {key(Qt::Key_Insert), key(Qt::Key_End), key(Qt::Key_Down)},
         unchanged,
         1,
         "Data"},
        {"untouched empty date in a new row, Escape",
         1,
         "Data",
         {key(Qt::Key_Insert), key(Qt::Key_End), key(Qt::Key_Escape)},
         unchanged,
         1,
         "Data"},
        {"leaving the grid with a typed date",
         0,
         "Data",
         {retype("02.01.2024"), leaveGrid, save},
         "Lumanari;1;10;2024-01-02 / Pomelnice;2;20;2024-03-02 / Donatii;3;30;2024-03-03",
         0,
         "Data"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        IncomesWindow w;
        w.startAt(c.row, QString::fromLatin1(c.field));
        for (const Step& step : c.steps) {
            switch (step.kind) {
            case Step::Key:
                for (int i = 0; i < step.times; ++i)
                    w.press(step.key, step.modifiers);
                break;
            case Step::Type:
                w.type(QString::fromUtf8(step.text));
                break;
            case Step::Retype:
                w.retype(QString::fromUtf8(step.text));
                break;
            case Step::Click:
                w.clickCell(step.row, QString::fromLatin1(step.text));
                break;
            case Step::LeaveGrid:
                QTest::mouseClick(w.other, Qt::LeftButton);
                QApplication::processEvents();
                EXPECT_EQ(QApplication::focusWidget(), w.other);
                break;
            case Step::Save:
                EXPECT_TRUE(w.incomes.post());
                break;
            }
        }
        EXPECT_EQ(w.stored().toStdString(), c.stored);
        EXPECT_EQ(w.incomes.currentRow(), c.toRow);
        EXPECT_EQ(w.grid->currentField().toStdString(), c.toField);
        EXPECT_EQ(w.grid->model()->rowCount(), w.incomes.recordCount());
        EXPECT_TRUE(w.dialogs.shown.isEmpty());
    }
}

TEST(GridCellEditing, ARefusedValueKeepsTheCellWithWhatWasTypedAndIsToldOnce)
{
    const QString tooLong(101, QLatin1Char('x'));
    const struct {
        const char* field;
        QString typed;
        const char* kind; // of the message
    } cases[] = {
        {"Explicatie", tooLong, "error"}, {"Cod_venit", "doi", "error"},
        {"Cod_venit", "12,5", "error"},   {"Cod_venit", "99", "warning"}, // refused by the window's own check
        {"Valoarea", "12x", "error"},     {"Data", "31.02.2024", "error"},
        {"Data", "15.04.2", "error"}, // a year not typed whole
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        IncomesWindow w;
        w.startAt(1, QString::fromLatin1(c.field));
        w.retype(c.typed);
        const auto stays = [&](const char* after, int messages) {
            SCOPED_TRACE(after);
            EXPECT_EQ(w.incomes.currentRow(), 1);
            EXPECT_EQ(w.grid->currentField().toStdString(), c.field);
            ASSERT_NE(w.grid->cellEditor(), nullptr);
            EXPECT_EQ(w.grid->cellEditor()->text(), c.typed);
            // The caret stays in the cell, so Backspace corrects what was typed.
            EXPECT_EQ(QApplication::focusWidget(), w.grid->cellEditor());
            EXPECT_EQ(w.dialogs.shown.size(), messages);
            EXPECT_EQ(w.dialogs.texts(QString::fromLatin1(c.kind)).size(), messages);
        };
        w.press(Qt::Key_Return);
        stays("Enter", 1);
        w.press(Qt::Key_Down);
        stays("Down", 2);
        w.clickCell(0, QStringLiteral("Explicatie"));
        stays("a click on another row", 3);
        QTest::mouseClick(w.other, Qt::LeftButton);
        QApplication::processEvents();
        stays("leaving the grid", 4);

        // Escape gives the stored value back and nothing was written.
        w.press(Qt::Key_Escape);
        w.press(Qt::Key_Up);
        EXPECT_EQ(w.stored().toStdString(), unchanged);
        EXPECT_EQ(w.incomes.currentRow(), 0);
    }
}

// A date cell is typed over through the date mask from its start; any
// other cell keeps its text as typed, with the caret at the end.
TEST(GridCellEditing, OnlyDateCellsAreMaskedAndTheyOpenAtTheStart)
{
    const struct {
        const char* field;
        bool inserted; // in a new row, where the cell is empty
        const char* shown;
        int caret;
    } cases[] = {
        {"Data", false, "02.03.2024", 0},      {"Data", true, "__.__.____", 0},
        {"Explicatie", false, "Pomelnice", 9}, {"Cod_venit", false, "2", 1},
        {"Valoarea", false, "20", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.field) + (c.inserted ? ", new row" : ""));
        IncomesWindow w;
        w.startAt(1, QString::fromLatin1(c.field));
        if (c.inserted) {
            w.press(Qt::Key_Insert); // a new row opens in its first column
            w.grid->selectField(QString::fromLatin1(c.field));
        }
        QLineEdit* editor = w.grid->cellEditor();
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->inputMask().isEmpty(), std::string(c.field) != "Data");
        EXPECT_EQ(editor->displayText().toStdString(), c.shown);
        EXPECT_EQ(editor->cursorPosition(), c.caret);
        EXPECT_FALSE(editor->hasSelectedText());
    }
}

TEST(GridCellEditing, ADateCellRefusesLettersWithABeep)
{
    IncomesWindow w;
    w.startAt(1, QStringLiteral("Data"));
    w.type(QStringLiteral("1a"));
    EXPECT_EQ(w.dialogs.beeps, 1);
    EXPECT_EQ(w.grid->cellEditor()->text(), QStringLiteral("12.03.2024"));
    w.press(Qt::Key_Up);
    EXPECT_EQ(w.stored().toStdString(),
              "Lumanari;1;10;2024-03-01 / Pomelnice;2;20;2024-03-12 / Donatii;3;30;2024-03-03");
    EXPECT_TRUE(w.dialogs.shown.isEmpty());
}

TEST(GridCellEditing, ColumnPickerRunsOnCtrlEnterAndDoubleClick)
{
    IncomesWindow w;
    int picks = 0;
    // As the incomes window does: the chosen code goes in and the grid moves to the amount.
    w.grid->setColumnPicker(QStringLiteral("Cod_venit"), [&] {
        ++picks;
        w.incomes.edit();
        w.incomes.setValue(QStringLiteral("Cod_venit"), 7);
        w.grid->selectField(QStringLiteral("Valoarea"));
    });
    w.startAt(1, QStringLiteral("Cod_venit"));
    w.press(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(picks, 1);
    EXPECT_EQ(w.grid->currentField(), QStringLiteral("Valoarea"));
    w.press(Qt::Key_Up);
    EXPECT_EQ(w.stored().toStdString(),
              "Lumanari;1;10;2024-03-01 / Pomelnice;7;20;2024-03-02 / Donatii;3;30;2024-03-03");

    // Ctrl+Enter in a column without a picker is taken and does nothing else.
    w.startAt(1, QStringLiteral("Explicatie"));
    w.press(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(picks, 1);
    EXPECT_EQ(w.grid->currentField(), QStringLiteral("Explicatie"));
    EXPECT_EQ(w.grid->cellEditor()->text(), QStringLiteral("Pomelnice"));

    // A double-click on a cell of the column, current or not.
    QTest::mouseDClick(w.grid->viewport(), Qt::LeftButton, {}, w.cellCentre(2, QStringLiteral("Cod_venit")));
    QApplication::processEvents();
    EXPECT_EQ(picks, 2);
    EXPECT_EQ(w.incomes.currentRow(), 2);
    EXPECT_EQ(w.incomes.asInteger(QStringLiteral("Cod_venit")), 7);
    w.grid->selectField(QStringLiteral("Cod_venit"));
    QTest::mouseDClick(w.grid->cellEditor(), Qt::LeftButton);
    EXPECT_EQ(picks, 3);
    EXPECT_TRUE(w.dialogs.shown.isEmpty());
}

TEST(GridCellEditing, ReadOnlyColumnsAreSteppedOverAndCanStillPick)
{
    IncomesWindow w;
    int picks = 0;
    w.grid->setColumnReadOnly(QStringLiteral("Cod_venit"));
    w.grid->setColumnPicker(QStringLiteral("Cod_venit"), [&] { ++picks; });
    w.startAt(1, QStringLiteral("Explicatie"));
    const struct {
        Qt::Key key;
        const char* field;
    } walk[] = {{Qt::Key_Return, "Valoarea"}, {Qt::Key_Backtab, "Explicatie"}, {Qt::Key_Tab, "Valoarea"}};
    for (const auto& step : walk) {
        w.press(step.key);
        EXPECT_EQ(w.grid->currentField().toStdString(), step.field) << "key " << step.key;
    }

    // A click puts the cursor on the read-only cell: no editor, typing is refused, the picker works.
    w.clickCell(1, QStringLiteral("Cod_venit"));
    EXPECT_EQ(w.grid->currentField(), QStringLiteral("Cod_venit"));
    EXPECT_EQ(w.grid->cellEditor(), nullptr);
    QTest::keyClicks(w.grid, QStringLiteral("5"));
    EXPECT_EQ(w.dialogs.beeps, 1);
    w.press(Qt::Key_Return, Qt::ControlModifier);
    QTest::mouseDClick(w.grid->viewport(), Qt::LeftButton, {}, w.cellCentre(1, QStringLiteral("Cod_venit")));
    EXPECT_EQ(picks, 2);
    w.press(Qt::Key_Right);
    EXPECT_EQ(w.grid->currentField(), QStringLiteral("Valoarea"));
    EXPECT_EQ(w.stored().toStdString(), unchanged);
}

// A click on a row's number goes to that row, as a click on one of its cells does.
TEST(GridCellEditing, AClickOnARowNumberGoesToThatRow)
{
    const struct {
        const char* typed;
        int toRow;
        const char* stored;
        int messages;
    } cases[] = {
        {"21,5", 2, "Lumanari;1;10;2024-03-01 / Pomelnice;2;21.5;2024-03-02 / Donatii;3;30;2024-03-03", 0},
        {"12x", 1, unchanged, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        IncomesWindow w;
        w.startAt(1, QStringLiteral("Valoarea"));
        w.retype(QString::fromLatin1(c.typed));
        QHeaderView* numbers = w.grid->verticalHeader();
        const auto clickNumber = [&](int row) {
            QTest::mouseClick(numbers->viewport(), Qt::LeftButton, {},
                              QPoint(numbers->width() / 2,
                                     numbers->sectionViewportPosition(row) + numbers->sectionSize(row) / 2));
            QApplication::processEvents();
        };
        clickNumber(2);
        EXPECT_EQ(w.incomes.currentRow(), c.toRow);
        EXPECT_EQ(w.grid->currentField(), QStringLiteral("Valoarea"));
        EXPECT_EQ(w.stored().toStdString(), c.stored);
        EXPECT_EQ(w.dialogs.shown.size(), c.messages);
        ASSERT_NE(w.grid->cellEditor(), nullptr);
        EXPECT_EQ(QApplication::focusWidget(), w.grid->cellEditor());
        w.press(Qt::Key_Escape);
        clickNumber(0);
        EXPECT_EQ(w.incomes.currentRow(), 0);
    }
}

// The text does not jump sideways when the editor opens on a cell.
TEST(GridCellEditing, TheEditorAlignsItsTextAsTheCellShowsIt)
{
    const struct {
        const char* field;
        Qt::Alignment alignment;
    } cases[] = {{"Explicatie", Qt::AlignLeft},
                 {"Cod_venit", Qt::AlignRight},
                 {"Valoarea", Qt::AlignRight},
                 {"Data", Qt::AlignLeft}};
    IncomesWindow w;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        w.startAt(1, QString::fromLatin1(c.field));
        ASSERT_NE(w.grid->cellEditor(), nullptr);
        EXPECT_EQ(w.grid->cellEditor()->alignment() & Qt::AlignHorizontal_Mask, c.alignment);
    }
}

// Tab and Shift+Tab walk the cells when the grid itself has the focus too,
// instead of leaving the grid; a grid choosing whole rows lets Tab go on to
// the window's next control.
TEST(GridCellEditing, TabWalksTheCellsWithoutAnOpenEditor)
{
    const struct {
        const char* name;
        std::function<void(IncomesWindow&)> closeEditor;
        bool walks;
    } cases[] = {
        {"editing not allowed", [](IncomesWindow& w) { w.grid->setEditingAllowed(false); }, true},
        {"editor hidden with F2", [](IncomesWindow& w) { w.press(Qt::Key_F2); }, true},
        {"whole rows", [](IncomesWindow& w) { w.grid->setRowSelect(true); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        IncomesWindow w;
        w.startAt(1, QStringLiteral("Cod_venit"));
        c.closeEditor(w);
        ASSERT_EQ(w.grid->cellEditor(), nullptr);
        QTest::keyClick(w.grid, Qt::Key_Tab);
        EXPECT_EQ(w.incomes.currentRow(), 1);
        if (!c.walks) {
            EXPECT_EQ(QApplication::focusWidget(), w.other);
            continue;
        }
        EXPECT_EQ(w.grid->currentField(), QStringLiteral("Valoarea"));
        QTest::keyClick(w.grid, Qt::Key_Backtab, Qt::ShiftModifier);
        QTest::keyClick(w.grid, Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(w.grid->currentField(), QStringLiteral("Explicatie"));
        EXPECT_EQ(QApplication::focusWidget(), w.grid);
        EXPECT_EQ(w.incomes.currentRow(), 1);
    }
}

TEST(GridCellEditing, APickListOffersItsValuesAndTheChoiceIsStored)
{
    IncomesWindow w;
    w.grid->setColumnPickList(
        QStringLiteral("Explicatie"),
        {QStringLiteral("Acatiste"), QStringLiteral("Lumanari"), QStringLiteral("Taxe")});
    w.startAt(1, QStringLiteral("Explicatie"));
    QLineEdit* editor = w.grid->cellEditor();
    ASSERT_NE(editor->completer(), nullptr);
    w.press(Qt::Key_Down, Qt::AltModifier); // the whole list drops down
    QWidget* list = editor->completer()->popup();
    ASSERT_TRUE(list->isVisible());
    EXPECT_EQ(editor->completer()->completionCount(), 3);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(editor->text(), QStringLiteral("Lumanari"));
    EXPECT_EQ(w.grid->currentField(), QStringLiteral("Explicatie"));
    w.press(Qt::Key_Return);
    EXPECT_EQ(w.grid->currentField(), QStringLiteral("Cod_venit"));

    // Typing narrows the list; a value outside it is still taken.
    w.press(Qt::Key_Down);
    w.grid->selectField(QStringLiteral("Explicatie"));
    w.retype(QStringLiteral("Ta"));
    EXPECT_TRUE(w.grid->cellEditor()->completer()->popup()->isVisible());
    QTest::keyClick(w.grid->cellEditor()->completer()->popup(), Qt::Key_Escape);
    QTest::keyClicks(w.grid->cellEditor(), QStringLiteral("xe de cimitir"));
    w.press(Qt::Key_Up);
    EXPECT_EQ(w.stored().toStdString(),
              "Lumanari;1;10;2024-03-01 / Lumanari;2;20;2024-03-02 / Taxe de cimitir;3;30;2024-03-03");
}

// The values that begin with the typed text are only suggested: the grid's
// keys close the suggestion and act as in any other cell, on the typed text.
TEST(GridCellEditing, APickListSuggestionLeavesTheGridKeysToTheGrid)
{
    const struct {
        const char* name;
        Qt::Key key;
        const char* typed;
        int toRow;
        const char* toField;
        const char* stored;
    } cases[] = {
        {"Enter", Qt::Key_Return, "Taxe", 1, "Cod_venit",
         "Lumanari;1;10;2024-03-01 / Taxe;2;20;2024-03-02 / Donatii;3;30;2024-03-03"},
        {"Enter on a beginning", Qt::Key_Return, "Lum", 1, "Cod_venit",
         "Lumanari;1;10;2024-03-01 / Lum;2;20;2024-03-02 / Donatii;3;30;2024-03-03"},
        {"Right at the end", Qt::Key_Right, "Taxe", 1, "Cod_venit",
         "Lumanari;1;10;2024-03-01 / Taxe;2;20;2024-03-02 / Donatii;3;30;2024-03-03"},
        {"Tab", Qt::Key_Tab, "Taxe", 1, "Cod_venit",
         "Lumanari;1;10;2024-03-01 / Taxe;2;20;2024-03-02 / Donatii;3;30;2024-03-03"},
        {"Down", Qt::Key_Down, "Acatiste", 2, "Explicatie",
         "Lumanari;1;10;2024-03-01 / Acatiste;2;20;2024-03-02 / Donatii;3;30;2024-03-03"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        IncomesWindow w;
        w.grid->setColumnPickList(
            QStringLiteral("Explicatie"),
            {QStringLiteral("Acatiste"), QStringLiteral("Lumanari"), QStringLiteral("Taxe")});
        w.startAt(1, QStringLiteral("Explicatie"));
        w.retype(QString::fromLatin1(c.typed));
        ASSERT_TRUE(w.grid->cellEditor()->completer()->popup()->isVisible());
        ASSERT_EQ(keyTarget(), w.grid->cellEditor()->completer()->popup()) << "the open list takes the keys";
        QTest::keyClick(keyTarget(), c.key);
        QApplication::processEvents();
        EXPECT_EQ(w.incomes.currentRow(), c.toRow);
        EXPECT_EQ(w.grid->currentField(), QString::fromLatin1(c.toField));
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        EXPECT_TRUE(w.incomes.post()); // the window's save button
        EXPECT_EQ(w.stored().toStdString(), c.stored);
        EXPECT_TRUE(w.dialogs.shown.isEmpty());
    }
}

TEST(GridCellEditing, TypingInAnEmptyGridStartsTheFirstRow)
{
    IncomesWindow w;
    execOrFail(QStringLiteral("DELETE FROM Venituri"));
    w.incomes.refresh();
    ASSERT_EQ(w.grid->model()->rowCount(), 0);
    QTest::keyClicks(w.grid, QStringLiteral("Taxe"));
    EXPECT_EQ(w.incomes.state(), DatasetState::Insert);
    ASSERT_NE(w.grid->cellEditor(), nullptr);
    EXPECT_EQ(w.grid->cellEditor()->text(), QStringLiteral("Taxe"));
    w.press(Qt::Key_Return);
    w.retype(QStringLiteral("4"));
    w.press(Qt::Key_Down); // stores the row and appends the next one
    w.press(Qt::Key_Up);   // which, untouched, is abandoned
    EXPECT_EQ(w.stored().toStdString(), "Taxe;4;;");
    EXPECT_EQ(w.grid->model()->rowCount(), 1);
}

// A record source refusing new rows has said why: the typing adds no beep of its own.
TEST(GridCellEditing, TypingInAnEmptyGridThatRefusesNewRowsSaysItOnce)
{
    IncomesWindow w;
    execOrFail(QStringLiteral("DELETE FROM Venituri"));
    w.incomes.refresh();
    w.incomes.beforeInsert = [](Dataset&) {
        dialogs().warning(QStringLiteral("Nu se adauga venituri aici"));
        throw SilentAbort();
    };
    QTest::keyClick(w.grid, Qt::Key_T);
    EXPECT_EQ(w.incomes.state(), DatasetState::Browse);
    EXPECT_EQ(w.grid->model()->rowCount(), 0);
    EXPECT_EQ(w.dialogs.texts(QStringLiteral("warning")),
              QStringList{QStringLiteral("Nu se adauga venituri aici")});
    EXPECT_EQ(w.dialogs.beeps, 0);
}

TEST(GridCellEditing, F2HidesAndShowsTheEditorKeepingTheTyping)
{
    IncomesWindow w;
    w.startAt(0, QStringLiteral("Valoarea"));
    w.retype(QStringLiteral("11"));
    w.press(Qt::Key_F2);
    EXPECT_EQ(w.grid->cellEditor(), nullptr);
    EXPECT_EQ(w.incomes.asFloat(QStringLiteral("Valoarea")), 11.0); // in the record, not yet stored
    w.press(Qt::Key_F2);
    ASSERT_NE(w.grid->cellEditor(), nullptr);
    EXPECT_EQ(w.grid->cellEditor()->text(), QStringLiteral("11"));
    w.press(Qt::Key_F2);
    QTest::keyClicks(w.grid, QStringLiteral("5")); // typing shows it again
    ASSERT_NE(w.grid->cellEditor(), nullptr);
    EXPECT_EQ(w.grid->cellEditor()->text(), QStringLiteral("115"));
    w.press(Qt::Key_Down);
    EXPECT_EQ(w.stored().toStdString(),
              "Lumanari;1;115;2024-03-01 / Pomelnice;2;20;2024-03-02 / Donatii;3;30;2024-03-03");
}

TEST(GridCellEditing, SelfNumberingColumnsAreSteppedOver)
{
    TestFolder folder;
    folder.openWorkingYear();
    ScriptedDialogs dialogs;
    Dataset orders(QStringLiteral("CheltSal"));
    orders.open();
    ASSERT_TRUE(orders.isEmpty());
    TDBGridNormal grid;
    grid.bind(&orders, {"Id", "Explicatie", "Nr_act"});
    grid.show();
    QApplication::setActiveWindow(&grid);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&grid));
    grid.setFocus();

    QTest::keyClicks(&grid, QStringLiteral("Salarii"));
    EXPECT_EQ(grid.currentField(), QStringLiteral("Explicatie"));
    QTest::keyClick(grid.cellEditor(), Qt::Key_Return);
    QTest::keyClicks(grid.cellEditor(), QStringLiteral("5"));
    QTest::keyClick(grid.cellEditor(), Qt::Key_Return); // stores the row, appends the next
    EXPECT_EQ(orders.currentRow(), 1);
    EXPECT_EQ(grid.currentField(), QStringLiteral("Explicatie"));
    QTest::keyClick(grid.cellEditor(), Qt::Key_Home);
    EXPECT_EQ(grid.currentField(), QStringLiteral("Explicatie"));
    EXPECT_EQ(Sql::scalar(Connection::database(),
                          QStringLiteral("SELECT Id || ';' || Explicatie || ';' || Nr_act FROM CheltSal"))
                  .toString(),
              QStringLiteral("1;Salarii;5.0"));
}
