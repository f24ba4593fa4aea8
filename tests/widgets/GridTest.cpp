#include "db/Connection.h"
#include "db/Dataset.h"
#include "db/Sql.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"
#include "widgets/TDBGridNormal.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

// The income types in a grid of three columns.
class GridTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder.openWorkingYear();
        types.open();
        grid.bind(&types);
        grid.resize(500, 300);
        grid.show();
        QApplication::setActiveWindow(&grid);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&grid));
        grid.setFocus();
    }

    // Keys go where the user's keys go: the cell editor when one is open.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* target = grid.cellEditor() ? grid.cellEditor() : static_cast<QWidget*>(&grid);
        QTest::keyClick(target, key, modifiers);
    }
    QPair<int, int> cell() const { return {types.currentRow(), grid.currentColumn()}; }
    static int stored() { return storedRows(QStringLiteral("Tip_venituri")); }

    TestFolder folder;
    ScriptedDialogs dialogs;
    Dataset types{QStringLiteral("Tip_venituri")};
    TDBGridNormal grid;
};

} // namespace

TEST_F(GridTest, EnterAndArrowsWalkTheCells)
{
    const struct {
        int row, column;
        Qt::Key key;
        int toRow, toColumn;
    } cases[] = {
        {1, 0, Qt::Key_Return, 1, 1},  {1, 2, Qt::Key_Return, 2, 0}, {1, 2, Qt::Key_Right, 2, 0},
        {1, 0, Qt::Key_Left, 0, 2},    {0, 0, Qt::Key_Left, 0, 0},   {1, 1, Qt::Key_Tab, 1, 2},
        {1, 0, Qt::Key_Backtab, 0, 2}, {3, 1, Qt::Key_Down, 4, 1},   {3, 1, Qt::Key_Up, 2, 1},
    };
    for (const auto& c : cases) {
        types.setRecNo(c.row + 1);
        grid.selectField(types.field(c.column).name);
        ASSERT_EQ(cell(), qMakePair(c.row, c.column));
        if (auto* line = qobject_cast<QLineEdit*>(grid.cellEditor()))
            line->end(false); // the caret at the end lets Right leave the cell
        if (c.key == Qt::Key_Left)
            if (auto* line = qobject_cast<QLineEdit*>(grid.cellEditor()))
                line->home(false);
        press(c.key);
        EXPECT_EQ(cell(), qMakePair(c.toRow, c.toColumn))
            << "key " << c.key << " at " << c.row << "," << c.column;
    }
    press(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(types.currentRow(), 17);
    press(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(types.currentRow(), 0);
}

TEST_F(GridTest, TypingInACellEditsTheRecordAndMovingPostsIt)
{
    grid.selectField(QStringLiteral("Denumire"));
    auto* editor = qobject_cast<QLineEdit*>(grid.cellEditor());
    ASSERT_NE(editor, nullptr);
    EXPECT_FALSE(editor->hasSelectedText()); // the editor does not select its text
    EXPECT_EQ(editor->cursorPosition(), editor->text().size());
    QTest::keyClicks(editor, QStringLiteral(" si ofrande"));
    press(Qt::Key_Down);
    EXPECT_EQ(types.currentRow(), 1);
    EXPECT_EQ(Sql::scalar(Connection::database(),
                          QStringLiteral("SELECT Denumire FROM Tip_venituri WHERE Cod_venit = 2"))
                  .toString(),
              QStringLiteral("Contributia anuala a credinciosilor si ofrande"));

    // Escape undoes the cell's typing first, then the record's changes.
    QTest::keyClicks(qobject_cast<QLineEdit*>(grid.cellEditor()), QStringLiteral("X"));
    press(Qt::Key_Escape);
    EXPECT_EQ(qobject_cast<QLineEdit*>(grid.cellEditor())->text(), QStringLiteral("Taine si ierurgii"));
}

TEST_F(GridTest, EnterBelowTheLastRowAppendsAndAnUntouchedNewRowIsAbandoned)
{
    types.last();
    grid.selectField(QStringLiteral("Explicatie_venit"));
    press(Qt::Key_Return);
    EXPECT_EQ(types.state(), DatasetState::Insert);
    EXPECT_EQ(cell(), qMakePair(18, 0));
    EXPECT_EQ(grid.model()->rowCount(), 19);
    press(Qt::Key_Up);
    EXPECT_EQ(types.state(), DatasetState::Browse);
    EXPECT_EQ(grid.model()->rowCount(), 18);
    EXPECT_EQ(types.currentRow(), 17);

    // A typed new row is stored when the user moves on.
    press(Qt::Key_Down);
    QTest::keyClicks(qobject_cast<QLineEdit*>(grid.cellEditor()), QStringLiteral("60"));
    press(Qt::Key_Return);
    QTest::keyClicks(qobject_cast<QLineEdit*>(grid.cellEditor()), QStringLiteral("Chirii"));
    press(Qt::Key_Up);
    EXPECT_EQ(stored(), 19);
}

// The keys that move between records store the record being edited even
// where there is no other record to go to: at the top or at the bottom.
TEST_F(GridTest, RecordKeysStoreTheRecordAtEitherEnd)
{
    const struct {
        const char* name;
        int row;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    } cases[] = {
        {"Up on the first row", 0, Qt::Key_Up, Qt::NoModifier},
        {"Page Up on the first row", 0, Qt::Key_PageUp, Qt::NoModifier},
        {"Ctrl+Home on the first row", 0, Qt::Key_Home, Qt::ControlModifier},
        {"Ctrl+Up on the top row shown", 0, Qt::Key_Up, Qt::ControlModifier},
        {"Page Down on the last row", 17, Qt::Key_PageDown, Qt::NoModifier},
        {"Ctrl+End on the last row", 17, Qt::Key_End, Qt::ControlModifier},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        types.setRecNo(c.row + 1);
        grid.selectField(QStringLiteral("Explicatie_venit"));
        const QString corrected = QStringLiteral("Corectat cu %1").arg(QString::fromLatin1(c.name));
        const int code = types.asInteger(QStringLiteral("Cod_venit"));
        auto* editor = qobject_cast<QLineEdit*>(grid.cellEditor());
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, corrected);
        press(c.key, c.modifiers);
        EXPECT_EQ(types.state(), DatasetState::Browse);
        EXPECT_EQ(types.currentRow(), c.row);
        EXPECT_EQ(
            Sql::scalar(Connection::database(),
                        QStringLiteral("SELECT Explicatie_venit FROM Tip_venituri WHERE Cod_venit = :c"),
                        {{QStringLiteral(":c"), code}})
                .toString(),
            corrected);
    }
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(GridTest, InsertAndCtrlDeleteWithItsQuestion)
{
    types.setRecNo(3);
    press(Qt::Key_Insert);
    EXPECT_EQ(types.state(), DatasetState::Insert);
    EXPECT_EQ(types.currentRow(), 2);
    press(Qt::Key_Escape); // nothing typed: the new record is abandoned
    EXPECT_EQ(types.state(), DatasetState::Browse);
    EXPECT_EQ(grid.model()->rowCount(), 18);

    dialogs.answers << false << true;
    press(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(stored(), 18);
    press(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(stored(), 17);
    EXPECT_EQ(dialogs.texts(QStringLiteral("question")), QStringList({"Delete record?", "Delete record?"}));
    grid.setDeleteConfirmation(false);
    press(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(stored(), 16);
    EXPECT_EQ(dialogs.texts(QStringLiteral("question")).size(), 2);
}
