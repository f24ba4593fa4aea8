#include "db/Connection.h"
#include "db/Dataset.h"
#include "db/DbError.h"
#include "db/Sql.h"
#include "db/Transaction.h"
#include "support/TestFolder.h"

#include <QDate>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace
{

// One line a row: the given fields as text, in row-identity order.
QStringList stored(const QString& table, const QStringList& fields)
{
    QStringList rows;
    QSqlQuery query = Sql::exec(
        Connection::database(),
        QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid").arg(fields.join(QStringLiteral(", ")), table));
    while (query.next()) {
        QStringList values;
        for (int i = 0; i < fields.size(); ++i)
            values << query.value(i).toString();
        rows << values.join(QLatin1Char('|'));
    }
    return rows;
}

QStringList shown(Dataset& dataset, const QStringList& fields)
{
    QStringList rows;
    for (int row = 0; row < dataset.recordCount(); ++row) {
        QStringList values;
        for (const QString& field : fields)
            values << dataset.rowValue(row, dataset.fieldIndex(field)).toString();
        rows << values.join(QLatin1Char('|'));
    }
    return rows;
}

const QStringList orderFields = {QStringLiteral("Id"), QStringLiteral("Explicatie")};
const QStringList lineFields = {QStringLiteral("Id_CheltSal"), QStringLiteral("Valoarea"),
                                QStringLiteral("Explicatie")};

// A salary order with one line already stored; the orders and the lines of
// the current order open as the order window has them.
class DatasetTransaction : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder.openWorkingYear();
        execOrFail(QStringLiteral("INSERT INTO CheltSal (Data, Nr_act, Explicatie) "
                                  "VALUES ('2026-03-01', 1, 'Salarii martie')"));
        execOrFail(QStringLiteral("INSERT INTO ItemsSal (Id_CheltSal, Cod_cheltuiala, Valoarea, Explicatie) "
                                  "VALUES (1, 45, 1500, 'Cantaret')"));
        orders.open();
        lines.setIndexName(QStringLiteral("Id_CheltSal"));
        lines.setMaster(&orders, QStringLiteral("Id"), QStringLiteral("Id_CheltSal"));
        lines.open();
    }

    // Inside the transaction: the order corrected, a second order with a line added.
    void writeBothTables()
    {
        orders.edit();
        orders.setValue(QStringLiteral("Explicatie"), QStringLiteral("Salarii martie corectat"));
        ASSERT_TRUE(orders.post());
        lines.edit();
        lines.setValue(QStringLiteral("Valoarea"), 1600.0);
        ASSERT_TRUE(lines.post());
        orders.append();
        orders.setValue(QStringLiteral("Data"), QDate(2026, 4, 1));
        orders.setValue(QStringLiteral("Explicatie"), QStringLiteral("Salarii aprilie"));
        ASSERT_TRUE(orders.post());
        lines.append();
        lines.setValue(QStringLiteral("Valoarea"), 900.0);
        lines.setValue(QStringLiteral("Explicatie"), QStringLiteral("Paracliser"));
        ASSERT_TRUE(lines.post());
    }

    void expectSourcesShowTheFile()
    {
        EXPECT_EQ(shown(orders, orderFields), stored(QStringLiteral("CheltSal"), orderFields));
        const QString currentOrder = orders.asString(QStringLiteral("Id"));
        QStringList linesOfCurrent;
        for (const QString& line : stored(QStringLiteral("ItemsSal"), lineFields))
            if (line.section(QLatin1Char('|'), 0, 0) == currentOrder)
                linesOfCurrent << line;
        EXPECT_EQ(shown(lines, lineFields), linesOfCurrent);
    }

    TestFolder folder;
    Dataset orders{QStringLiteral("CheltSal.DB")};
    Dataset lines{QStringLiteral("ItemsSal.DB")};
};

} // namespace

TEST_F(DatasetTransaction, SourcesShowWhatIsStoredAfterACommitOrARollback)
{
    const QStringList ordersBefore = stored(QStringLiteral("CheltSal"), orderFields);
    const QStringList linesBefore = stored(QStringLiteral("ItemsSal"), lineFields);
    for (const bool commit : {false, true}) {
        SCOPED_TRACE(commit ? "commit" : "rollback");
        {
            Transaction transaction(Connection::database());
            writeBothTables();
            if (commit)
                transaction.commit();
        }
        expectSourcesShowTheFile();
        EXPECT_EQ(orders.state(), DatasetState::Browse);
        EXPECT_EQ(lines.state(), DatasetState::Browse);
        if (!commit) {
            EXPECT_EQ(stored(QStringLiteral("CheltSal"), orderFields), ordersBefore);
            EXPECT_EQ(stored(QStringLiteral("ItemsSal"), lineFields), linesBefore);
            // The row still stored stays current.
            EXPECT_EQ(orders.asString(QStringLiteral("Explicatie")), QStringLiteral("Salarii martie"));
        } else {
            EXPECT_EQ(orders.asString(QStringLiteral("Explicatie")), QStringLiteral("Salarii aprilie"));
            EXPECT_EQ(stored(QStringLiteral("ItemsSal"), lineFields).size(), 2);
        }
    }
}

// The operation fails while lines are being typed: the rollback takes back
// what was posted; what was typed stays on screen to be posted again, unless
// its order itself is gone.
TEST_F(DatasetTransaction, TypedValuesSurviveARollbackWhereTheirOrderSurvives)
{
    const struct {
        const char* what;
        bool underNewOrder;
    } cases[] = {{"line of the stored order", false}, {"line of an order added in the transaction", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        orders.first();
        const QStringList linesBefore = stored(QStringLiteral("ItemsSal"), lineFields);
        try {
            Transaction transaction(Connection::database());
            orders.edit();
            orders.setValue(QStringLiteral("Explicatie"), QStringLiteral("Salarii martie corectat"));
            ASSERT_TRUE(orders.post());
            if (c.underNewOrder) {
                orders.append();
                orders.setValue(QStringLiteral("Explicatie"), QStringLiteral("Salarii aprilie"));
                ASSERT_TRUE(orders.post());
            }
            lines.append();
            lines.setValue(QStringLiteral("Valoarea"), 900.0);
            lines.setValue(QStringLiteral("Explicatie"), QStringLiteral("Paracliser"));
            throw DbError(QStringLiteral("pasul urmator a esuat"));
        } catch (const DbError&) {
        }
        EXPECT_EQ(shown(orders, orderFields), stored(QStringLiteral("CheltSal"), orderFields));
        EXPECT_EQ(orders.asString(QStringLiteral("Explicatie")), QStringLiteral("Salarii martie"));
        EXPECT_EQ(stored(QStringLiteral("ItemsSal"), lineFields), linesBefore);
        if (c.underNewOrder) {
            EXPECT_EQ(lines.state(), DatasetState::Browse);
            expectSourcesShowTheFile();
            continue;
        }
        ASSERT_EQ(lines.state(), DatasetState::Insert);
        EXPECT_EQ(lines.asString(QStringLiteral("Explicatie")), QStringLiteral("Paracliser"));
        EXPECT_EQ(lines.asFloat(QStringLiteral("Valoarea")), 900.0);
        ASSERT_TRUE(lines.post());
        EXPECT_TRUE(
            stored(QStringLiteral("ItemsSal"), lineFields).contains(QStringLiteral("1|900|Paracliser")));
        expectSourcesShowTheFile();
    }
}

// Rows changed by statements inside the transaction that a source read
// while it was open are read again after the rollback too.
TEST_F(DatasetTransaction, RowsReadInsideARolledBackTransactionAreReadAgain)
{
    {
        Transaction transaction(Connection::database());
        execOrFail(QStringLiteral("UPDATE CheltSal SET Explicatie = 'recalculat'"));
        orders.refresh();
        EXPECT_EQ(orders.asString(QStringLiteral("Explicatie")), QStringLiteral("recalculat"));
    }
    EXPECT_EQ(orders.asString(QStringLiteral("Explicatie")), QStringLiteral("Salarii martie"));
    expectSourcesShowTheFile();
}
