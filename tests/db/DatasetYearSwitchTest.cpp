#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/Dataset.h"
#include "db/DatasetModel.h"
#include "db/DbError.h"
#include "db/Sql.h"
#include "support/TestFolder.h"

#include <QSignalSpy>
#include <QSqlQuery>
#include <functional>
#include <gtest/gtest.h>

namespace
{

// Every income type of the database the connection is on, one line a row.
QStringList storedIncomeTypes()
{
    QStringList rows;
    QSqlQuery query =
        Sql::exec(Connection::database(),
                  QStringLiteral("SELECT Cod_venit, Denumire FROM Tip_venituri ORDER BY rowid"));
    while (query.next())
        rows << query.value(0).toString() + QLatin1Char('|') + query.value(1).toString();
    return rows;
}

// A working year (2026) with the closed year 2025 beside it, the connection on the working year.
class DatasetYearSwitch : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder.openWorkingYear();
        folder.closeYear(2025);
        // The working year differs from the closed one, so a row in the wrong file shows.
        Sql::exec(Connection::database(), QStringLiteral("UPDATE Tip_venituri SET Denumire = 'Lucru ' || "
                                                         "Denumire WHERE Cod_venit = 2"));
        workingRows = storedIncomeTypes();
        ASSERT_TRUE(location().switchToYear(QStringLiteral("2025"), false).ok);
        closedRows = storedIncomeTypes();
        ASSERT_TRUE(location().switchToYear(QStringLiteral("2026"), true).ok);
    }

    static DatabaseLocation& location() { return DatabaseLocation::instance(); }

    // Both files hold exactly what they held before.
    void expectBothYearsUntouched()
    {
        ASSERT_TRUE(location().switchToYear(QStringLiteral("2025"), false).ok);
        EXPECT_EQ(storedIncomeTypes(), closedRows);
        ASSERT_TRUE(location().switchToYear(QStringLiteral("2026"), true).ok);
        EXPECT_EQ(storedIncomeTypes(), workingRows);
    }

    TestFolder folder;
    QStringList workingRows;
    QStringList closedRows;
};

} // namespace

TEST_F(DatasetYearSwitch, ASourceOpenedBeforeASwitchWritesIntoNoYear)
{
    const auto setName = [](Dataset& types, const char* name) {
        types.setValue(QStringLiteral("Denumire"), QString::fromLatin1(name));
    };
    const struct {
        const char* what;
        std::function<void(Dataset&)> beforeSwitch;
        std::function<void(Dataset&)> afterSwitch;
    } cases[] = {
        {"edit and post", [](Dataset&) {},
         [&](Dataset& types) {
             types.edit();
             setName(types, "Schimbat");
             types.post();
         }},
        {"new record", [](Dataset&) {},
         [&](Dataset& types) {
             types.append();
             types.setValue(QStringLiteral("Cod_venit"), 77);
             setName(types, "Nou");
             types.post();
         }},
        {"delete", [](Dataset&) {}, [](Dataset& types) { types.remove(); }},
        {"edit typed before the switch, posted after",
         [&](Dataset& types) {
             types.edit();
             setName(types, "Tastat inainte");
         },
         [](Dataset& types) { types.post(); }},
        {"new record typed before the switch, posted after",
         [&](Dataset& types) {
             types.append();
             types.setValue(QStringLiteral("Cod_venit"), 78);
             setName(types, "Nou inainte");
         },
         [](Dataset& types) { types.post(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Dataset types(QStringLiteral("Tip_venituri.DB"));
        types.open();
        ASSERT_TRUE(types.locate(QStringLiteral("Cod_venit"), {2}));
        c.beforeSwitch(types);
        QSignalSpy states(&types, &Dataset::stateChanged);

        ASSERT_TRUE(location().switchToYear(QStringLiteral("2025"), false).ok);
        // The source closed with the year it was read from and says so.
        EXPECT_FALSE(types.isActive());
        ASSERT_FALSE(states.isEmpty());
        EXPECT_EQ(states.last().at(0).value<DatasetState>(), DatasetState::Inactive);
        try {
            c.afterSwitch(types);
            ADD_FAILURE() << "a write after the switch was accepted";
        } catch (const DbError& e) {
            EXPECT_EQ(e.text(), QStringLiteral("Tabela Tip_venituri nu este deschisa"));
        }
        EXPECT_EQ(storedIncomeTypes(), closedRows);
        ASSERT_TRUE(location().switchToYear(QStringLiteral("2026"), true).ok);
        EXPECT_EQ(storedIncomeTypes(), workingRows);
    }
}

TEST_F(DatasetYearSwitch, GridsEmptyAndTheSourceReopensOnTheYearNowOpen)
{
    Dataset types(QStringLiteral("Tip_venituri.DB"));
    types.open();
    DatasetModel grid(&types, {QStringLiteral("Denumire")});
    ASSERT_EQ(grid.rowCount(), workingRows.size());
    QList<int> rowsSeenWhenClosed;
    QObject::connect(&types, &Dataset::stateChanged, &types, [&](DatasetState state) {
        if (state == DatasetState::Inactive)
            rowsSeenWhenClosed << grid.rowCount();
    });

    ASSERT_TRUE(location().switchToYear(QStringLiteral("2025"), false).ok);
    EXPECT_EQ(rowsSeenWhenClosed, QList<int>{0});
    EXPECT_EQ(grid.rowCount(), 0);

    // A window still open reopens its sources once the switch is done.
    const QMetaObject::Connection reopen =
        QObject::connect(&location(), &DatabaseLocation::yearSwitched, &types, [&] { types.open(); });
    ASSERT_TRUE(location().switchToYear(QStringLiteral("2026"), true).ok);
    EXPECT_EQ(grid.rowCount(), workingRows.size());
    ASSERT_TRUE(location().switchToYear(QStringLiteral("2025"), false).ok);
    QObject::disconnect(reopen);
    ASSERT_TRUE(types.locate(QStringLiteral("Cod_venit"), {2}));
    EXPECT_TRUE(closedRows.contains(QStringLiteral("2|") + types.asString(QStringLiteral("Denumire"))));
    EXPECT_EQ(grid.rowCount(), closedRows.size());
    // Written now, the change goes where the rows were read from: the closed year.
    types.edit();
    types.setValue(QStringLiteral("Denumire"), QStringLiteral("Corectat in 2025"));
    ASSERT_TRUE(types.post());
    EXPECT_TRUE(storedIncomeTypes().contains(QStringLiteral("2|Corectat in 2025")));
    ASSERT_TRUE(location().switchToYear(QStringLiteral("2026"), true).ok);
    EXPECT_EQ(storedIncomeTypes(), workingRows);
}

// Choosing the year already open moves nothing: the sources stay open with
// what is being typed in them, ready to be stored in that year.
TEST_F(DatasetYearSwitch, ChoosingTheYearAlreadyOpenKeepsTheSourcesAndTheTyping)
{
    const struct {
        const char* year;
        bool isFirstEntry;
    } cases[] = {{"2026", true}, {"2025", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.year);
        const QString year = QString::fromLatin1(c.year);
        ASSERT_TRUE(location().switchToYear(year, c.isFirstEntry).ok);
        Dataset types(QStringLiteral("Tip_venituri.DB"));
        types.open();
        ASSERT_TRUE(types.locate(QStringLiteral("Cod_venit"), {2}));
        types.edit();
        types.setValue(QStringLiteral("Denumire"), QStringLiteral("Scris in ") + year);
        QSignalSpy yearChanges(&location(), &DatabaseLocation::closedYearChanged);

        const DatabaseLocation::SwitchResult again = location().switchToYear(year, c.isFirstEntry);
        EXPECT_TRUE(again.ok);
        EXPECT_FALSE(again.switched);
        EXPECT_EQ(yearChanges.count(), 0);
        ASSERT_TRUE(types.isActive());
        EXPECT_EQ(types.state(), DatasetState::Edit);
        ASSERT_TRUE(types.post());
        EXPECT_TRUE(storedIncomeTypes().contains(QStringLiteral("2|Scris in ") + year));
    }
    ASSERT_TRUE(location().switchToYear(QStringLiteral("2026"), true).switched);
}

TEST_F(DatasetYearSwitch, ARefusedSwitchLeavesTheSourcesOpen)
{
    folder.write(QStringLiteral("2018/") + DatabaseLocation::databaseFileName, "nu este o baza de date");
    Dataset types(QStringLiteral("Tip_venituri.DB"));
    types.open();
    ASSERT_TRUE(types.locate(QStringLiteral("Cod_venit"), {2}));
    for (const char* year : {"2019", "2018", "20x1"}) {
        SCOPED_TRACE(year);
        EXPECT_FALSE(location().switchToYear(QString::fromLatin1(year), false).ok);
        EXPECT_TRUE(types.isActive());
    }
    types.edit();
    types.setValue(QStringLiteral("Denumire"), QStringLiteral("Tot in anul de lucru"));
    ASSERT_TRUE(types.post());
    EXPECT_TRUE(storedIncomeTypes().contains(QStringLiteral("2|Tot in anul de lucru")));
}

// A connection pointed elsewhere behind the program's back: the source
// notices the other file at its next statement and refuses it.
TEST_F(DatasetYearSwitch, ASourceThatMissedTheClosingRefusesToWrite)
{
    Dataset types(QStringLiteral("Tip_venituri.DB"));
    types.open();
    ASSERT_TRUE(types.locate(QStringLiteral("Cod_venit"), {2}));
    {
        QSqlDatabase db = Connection::database();
        db.close();
        db.setDatabaseName(DatabaseLocation::yearFolder(2025) + DatabaseLocation::databaseFileName);
        ASSERT_TRUE(db.open());
    }
    ASSERT_TRUE(types.isActive());
    types.edit();
    types.setValue(QStringLiteral("Denumire"), QStringLiteral("In fisierul gresit"));
    try {
        types.post();
        ADD_FAILURE() << "the post went into another file";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.text().startsWith(QStringLiteral("Tabela Tip_venituri a fost citita din baza de date")))
            << e.text().toStdString();
    }
    EXPECT_THROW(types.refresh(), DbError);
    types.cancel();
    expectBothYearsUntouched();
}

// The master closes first and the detail does not follow it (which would
// post what was typed): both close, and what was typed is dropped with them.
TEST_F(DatasetYearSwitch, ADetailBeingTypedClosesWithItsMaster)
{
    execOrFail(QStringLiteral("INSERT INTO CheltSal (Data, Explicatie) VALUES ('2026-03-01', 'Salarii')"));
    Dataset orders(QStringLiteral("CheltSal.DB"));
    Dataset lines(QStringLiteral("ItemsSal.DB"));
    orders.open();
    lines.setIndexName(QStringLiteral("Id_CheltSal"));
    lines.setMaster(&orders, QStringLiteral("Id"), QStringLiteral("Id_CheltSal"));
    lines.open();
    lines.append();
    lines.setValue(QStringLiteral("Explicatie"), QStringLiteral("Tastat inainte de schimbarea anului"));

    ASSERT_TRUE(location().switchToYear(QStringLiteral("2025"), false).ok);
    EXPECT_FALSE(orders.isActive());
    EXPECT_FALSE(lines.isActive());
    ASSERT_TRUE(location().switchToYear(QStringLiteral("2026"), true).ok);
    EXPECT_EQ(Sql::scalar(Connection::database(), QStringLiteral("SELECT count(*) FROM ItemsSal")).toInt(),
              0);
}
