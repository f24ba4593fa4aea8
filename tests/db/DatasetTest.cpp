#include "db/Dataset.h"
#include "db/Connection.h"
#include "db/DatasetModel.h"
#include "db/DbError.h"
#include "db/Sql.h"
#include "db/TableIndexes.h"
#include "support/TestFolder.h"

#include <QSignalSpy>
#include <functional>
#include <gtest/gtest.h>

namespace
{

class DatasetTest : public ::testing::Test
{
protected:
    void SetUp() override { folder.openWorkingYear(); }

    void addParishioner(const QString& code, const QString& name,
                        const QString& street = QStringLiteral("Unirii"))
    {
        Sql::exec(
            Connection::database(),
            QStringLiteral("INSERT INTO Enoriasi (Cod_enorias, Nume_prenume, Strada, Nr, Tip_contributie) "
                           "VALUES (:c, :n, :s, '1', 'Intreaga')"),
            {{QStringLiteral(":c"), code}, {QStringLiteral(":n"), name}, {QStringLiteral(":s"), street}});
    }

    static QStringList columnOf(Dataset& ds, const QString& field)
    {
        QStringList values;
        for (ds.first(); !ds.eof(); ds.next())
            values << ds.asString(field);
        return values;
    }

    TestFolder folder;
};

} // namespace

TEST_F(DatasetTest, NavigatesWithBeginAndEndTests)
{
    Dataset types(QStringLiteral("Tip_venituri.DB"));
    types.open();
    EXPECT_EQ(types.recordCount(), 18);
    EXPECT_EQ(types.recNo(), 1);
    EXPECT_TRUE(types.bof());
    EXPECT_FALSE(types.prior());
    EXPECT_TRUE(types.bof());
    types.last();
    EXPECT_TRUE(types.eof());
    EXPECT_EQ(types.recNo(), 18);
    EXPECT_EQ(types.asInteger(QStringLiteral("Cod_venit")), 19);
    EXPECT_FALSE(types.next());
    EXPECT_EQ(types.moveBy(-5), -5);
    EXPECT_EQ(types.recNo(), 13);
    EXPECT_EQ(types.moveBy(-100), -12);
    EXPECT_TRUE(types.bof());

    Dataset empty(QStringLiteral("Venituri.DB"));
    empty.open();
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_TRUE(empty.bof() && empty.eof());
    EXPECT_EQ(empty.recNo(), 0);
    EXPECT_TRUE(empty.isNull(QStringLiteral("Valoarea")));
}

TEST_F(DatasetTest, EditPostAndCancelReachTheTable)
{
    Dataset types(QStringLiteral("Tip_venituri"));
    types.open();
    ASSERT_TRUE(types.findKey({7}));
    ASSERT_TRUE(types.edit());
    types.setValue(QStringLiteral("Denumire"), QStringLiteral("Donatii si ofrande"));
    types.cancel();
    EXPECT_EQ(types.asString(QStringLiteral("Denumire")), QStringLiteral("Donatii"));

    ASSERT_TRUE(types.edit());
    types.setValue(QStringLiteral("Denumire"), QStringLiteral("Donatii si ofrande"));
    ASSERT_TRUE(types.post());
    EXPECT_EQ(types.state(), DatasetState::Browse);

    Dataset again(QStringLiteral("Tip_venituri"));
    again.open();
    ASSERT_TRUE(again.findKey({7}));
    EXPECT_EQ(again.asString(QStringLiteral("Denumire")), QStringLiteral("Donatii si ofrande"));
}

TEST_F(DatasetTest, InsertTakesDefaultsAndSettlesInKeyOrder)
{
    Dataset types(QStringLiteral("Tip_venituri"));
    types.onNewRecord = [](Dataset& ds) {
        ds.setValue(QStringLiteral("Explicatie_venit"), QStringLiteral("implicit"));
    };
    types.open();
    types.last();
    ASSERT_TRUE(types.insert());
    EXPECT_EQ(types.state(), DatasetState::Insert);
    EXPECT_EQ(types.recordCount(), 19);
    EXPECT_EQ(types.asString(QStringLiteral("Explicatie_venit")), QStringLiteral("implicit"));
    types.setValue(QStringLiteral("Cod_venit"), 1);
    types.setValue(QStringLiteral("Denumire"), QStringLiteral("Sold"));
    ASSERT_TRUE(types.post());
    EXPECT_EQ(types.recNo(), 1); // code 1 goes first in key order
    EXPECT_EQ(types.asString(QStringLiteral("Denumire")), QStringLiteral("Sold"));

    // An untouched new record is dropped when the user moves away.
    ASSERT_TRUE(types.append());
    types.first();
    EXPECT_EQ(types.recordCount(), 19);
    EXPECT_EQ(
        Sql::scalar(Connection::database(), QStringLiteral("SELECT count(*) FROM Tip_venituri")).toInt(), 19);
}

TEST_F(DatasetTest, AutoincrementValueIsReadBackAndNeverReused)
{
    Dataset orders(QStringLiteral("CheltSal.DB"));
    orders.open();
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(orders.append());
        orders.setValue(QStringLiteral("Nr_act"), 10 + i);
        ASSERT_TRUE(orders.post());
    }
    EXPECT_EQ(orders.asInteger(QStringLiteral("Id")), 2);
    ASSERT_TRUE(orders.remove());
    ASSERT_TRUE(orders.append());
    orders.setValue(QStringLiteral("Nr_act"), 12);
    ASSERT_TRUE(orders.post());
    EXPECT_EQ(orders.asInteger(QStringLiteral("Id")), 3);
    EXPECT_THROW(orders.setValue(QStringLiteral("Id"), 9), DbError);
}

TEST_F(DatasetTest, SilentAbortRefusesWithoutChangingAnything)
{
    // The parameters record can never be inserted.
    Sql::exec(Connection::database(), QStringLiteral("DELETE FROM Contor"));
    Dataset contor(QStringLiteral("Contor.DB"));
    contor.beforeInsert = [](Dataset&) { throw SilentAbort(); };
    contor.open();
    EXPECT_FALSE(contor.edit()); // editing an empty table means inserting
    EXPECT_EQ(contor.state(), DatasetState::Browse);
    EXPECT_TRUE(contor.isEmpty());

    Dataset types(QStringLiteral("Tip_venituri"));
    int refusals = 0;
    types.beforePost = [&](Dataset&) {
        ++refusals;
        throw SilentAbort();
    };
    types.beforeDelete = [](Dataset&) { throw SilentAbort(); };
    types.open();
    ASSERT_TRUE(types.edit());
    types.setValue(QStringLiteral("Denumire"), QStringLiteral("Schimbat"));
    EXPECT_FALSE(types.post());
    EXPECT_EQ(types.state(), DatasetState::Edit);
    EXPECT_EQ(types.asString(QStringLiteral("Denumire")), QStringLiteral("Schimbat"));
    EXPECT_FALSE(types.next()); // moving away must post first, which is refused
    EXPECT_EQ(types.recNo(), 1);
    EXPECT_EQ(refusals, 2);
    types.cancel();
    EXPECT_FALSE(types.remove());
    EXPECT_EQ(types.recordCount(), 18);
}

TEST_F(DatasetTest, FailedPostKeepsWhatWasTypedAndTheTableAsItWas)
{
    Dataset types(QStringLiteral("Tip_venituri"));
    types.open();
    ASSERT_TRUE(types.append());
    types.setValue(QStringLiteral("Cod_venit"), 5); // already used by "Lumanari"
    types.setValue(QStringLiteral("Denumire"), QStringLiteral("Lumanari mari"));
    EXPECT_THROW(types.post(), DbError);
    EXPECT_EQ(types.state(), DatasetState::Insert);
    EXPECT_EQ(types.asString(QStringLiteral("Denumire")), QStringLiteral("Lumanari mari"));
    types.setValue(QStringLiteral("Cod_venit"), 55);
    ASSERT_TRUE(types.post());
    EXPECT_EQ(
        Sql::scalar(Connection::database(), QStringLiteral("SELECT count(*) FROM Tip_venituri")).toInt(), 19);
}

TEST_F(DatasetTest, ValidatorsAndChangeHooks)
{
    Dataset incomes(QStringLiteral("Venituri.DB"));
    QStringList changed;
    incomes.setValidator(QStringLiteral("Valoarea"), [](Dataset&, const QVariant& v) {
        if (v.toDouble() < 0)
            throw SilentAbort();
    });
    incomes.setOnChange(QStringLiteral("Cod_venit"), [&](Dataset& ds) {
        changed << ds.asString(QStringLiteral("Cod_venit"));
        ds.setValue(QStringLiteral("Den_venit"),
                    QStringLiteral("tip ") + ds.asString(QStringLiteral("Cod_venit")));
    });
    incomes.open();
    ASSERT_TRUE(incomes.append());
    EXPECT_TRUE(incomes.setValue(QStringLiteral("Valoarea"), 10.5));
    EXPECT_FALSE(incomes.setValue(QStringLiteral("Valoarea"), -3));
    EXPECT_DOUBLE_EQ(incomes.asFloat(QStringLiteral("Valoarea")), 10.5);
    incomes.setValue(QStringLiteral("Cod_venit"), 4);
    EXPECT_EQ(changed, QStringList{"4"});
    EXPECT_EQ(incomes.asString(QStringLiteral("Den_venit")), QStringLiteral("tip 4"));
    EXPECT_THROW(incomes.setValue(QStringLiteral("Cod_venit"), 70000), DbError); // beyond a small integer
    EXPECT_THROW(incomes.setEditText(QStringLiteral("Valoarea"), QStringLiteral("zece")), DbError);
}

TEST_F(DatasetTest, TextsDatesAndFormatsFollowTheLocale)
{
    Dataset incomes(QStringLiteral("Venituri.DB"));
    incomes.open();
    incomes.setDisplayFormat(QStringLiteral("Valoarea"), QStringLiteral("#,##0.00"));
    incomes.setEditFormat(QStringLiteral("Valoarea"), QStringLiteral("0.00"));
    ASSERT_TRUE(incomes.append());
    ASSERT_TRUE(incomes.setEditText(QStringLiteral("Valoarea"), QStringLiteral("1234,5")));
    ASSERT_TRUE(incomes.setValue(QStringLiteral("Data"), QDate(2024, 2, 29)));
    ASSERT_TRUE(incomes.post());
    EXPECT_EQ(incomes.displayText(QStringLiteral("Valoarea")), QStringLiteral("1.234,50"));
    EXPECT_EQ(incomes.editText(QStringLiteral("Valoarea")), QStringLiteral("1234,50"));
    EXPECT_EQ(Sql::scalar(Connection::database(), QStringLiteral("SELECT Data FROM Venituri")).toString(),
              QStringLiteral("2024-02-29"));
    incomes.close();
    incomes.open();
    EXPECT_EQ(incomes.asDate(QStringLiteral("Data")), QDate(2024, 2, 29));
    EXPECT_EQ(incomes.displayText(QStringLiteral("Data")), QStringLiteral("29.02.2024"));
    ASSERT_TRUE(incomes.edit());
    ASSERT_TRUE(incomes.setEditText(QStringLiteral("Data"), QStringLiteral("01.03.2024")));
    EXPECT_EQ(incomes.asDate(QStringLiteral("Data")), QDate(2024, 3, 1));
    EXPECT_THROW(incomes.setEditText(QStringLiteral("Data"), QStringLiteral("31.02.2024")), DbError);
    incomes.cancel();
}

TEST_F(DatasetTest, FormatsGivenBeforeTheFirstOpenAreKept)
{
    execOrFail(QStringLiteral("INSERT INTO Venituri (Nr_act, Valoarea) VALUES (1, 1234.5)"));
    Dataset incomes(QStringLiteral("Venituri"));
    incomes.setDisplayFormat(QStringLiteral("valoarea"), QStringLiteral("#,##0.00"));
    incomes.setEditFormat(QStringLiteral("Valoarea"), QStringLiteral("0.00"));
    incomes.open();
    EXPECT_EQ(incomes.displayText(QStringLiteral("Valoarea")), QStringLiteral("1.234,50"));
    EXPECT_EQ(incomes.editText(QStringLiteral("Valoarea")), QStringLiteral("1234,50"));

    Dataset misspelt(QStringLiteral("Venituri"));
    misspelt.setDisplayFormat(QStringLiteral("Valoare"), QStringLiteral("#,##0.00"));
    EXPECT_THROW(misspelt.open(), DbError);
    EXPECT_FALSE(misspelt.isActive());
}

TEST_F(DatasetTest, OrdersSearchesAndLocate)
{
    addParishioner(QStringLiteral("E3"), QStringLiteral("Ștefan Ion"), QStringLiteral("Bisericii"));
    addParishioner(QStringLiteral("E1"), QStringLiteral("Ţurcanu Ana"), QStringLiteral("Florilor"));
    addParishioner(QStringLiteral("E2"), QStringLiteral("stan Maria"), QStringLiteral("Unirii"));
    addParishioner(QStringLiteral("E4"), QStringLiteral("Tudor Ilie"), QStringLiteral("Apelor"));
    addParishioner(QStringLiteral("E5"), QStringLiteral("Ăvram Ion"), QStringLiteral("Apelor"));
    addParishioner(QStringLiteral("E6"), QStringLiteral("Avram Ion"), QStringLiteral("Apelor"));

    Dataset enoriasi(QStringLiteral("Enoriasi.DB"));
    enoriasi.open();
    EXPECT_EQ(columnOf(enoriasi, QStringLiteral("Cod_enorias")),
              QStringList({"E1", "E2", "E3", "E4", "E5", "E6"}));

    enoriasi.setIndexFieldNames(QStringLiteral("Nume_prenume;Strada;Nr;Cod_enorias"));
    EXPECT_EQ(columnOf(enoriasi, QStringLiteral("Cod_enorias")),
              QStringList({"E6", "E5", "E2", "E3", "E4", "E1"}));

    // The "Den" order is added by the catalogue when it needs it.
    TableIndexes::add(Connection::database(), QStringLiteral("Enoriasi"),
                      IndexDef{QStringLiteral("Den"), {QStringLiteral("Nume_prenume")}, false, true});
    enoriasi.setIndexName(QStringLiteral("Den"));
    EXPECT_EQ(enoriasi.orderFields(), QStringList{"Nume_prenume"});
    ASSERT_TRUE(enoriasi.findKey({QStringLiteral("STAN MARIA")}));
    EXPECT_EQ(enoriasi.asString(QStringLiteral("Cod_enorias")), QStringLiteral("E2"));
    EXPECT_FALSE(enoriasi.findKey({QStringLiteral("Stanciu")}));
    EXPECT_EQ(enoriasi.asString(QStringLiteral("Cod_enorias")), QStringLiteral("E2")); // stays where it was
    enoriasi.findNearest({QStringLiteral("Su")});
    EXPECT_EQ(enoriasi.asString(QStringLiteral("Cod_enorias")), QStringLiteral("E3")); // Ș after S
    enoriasi.findNearest({QStringLiteral("Zaharia")});
    EXPECT_TRUE(enoriasi.eof() || enoriasi.recNo() == enoriasi.recordCount());
    EXPECT_THROW(enoriasi.setIndexName(QStringLiteral("Nume")), DbError);

    enoriasi.setIndexName(QString()); // back to the primary key
    ASSERT_TRUE(enoriasi.locate(QStringLiteral("Strada;Nume_prenume"),
                                {QStringLiteral("apelor"), QStringLiteral("avram")},
                                LocateOption::CaseInsensitive | LocateOption::PartialKey));
    EXPECT_EQ(enoriasi.asString(QStringLiteral("Cod_enorias")), QStringLiteral("E6"));
    EXPECT_FALSE(enoriasi.locate(QStringLiteral("Strada"), {QStringLiteral("apelor")}));
    ASSERT_TRUE(enoriasi.locate(QStringLiteral("Strada"), {QStringLiteral("Apelor")}));
    EXPECT_EQ(enoriasi.asString(QStringLiteral("Cod_enorias")), QStringLiteral("E4"));
}

TEST_F(DatasetTest, DetailFollowsItsMaster)
{
    Dataset orders(QStringLiteral("CheltSal"));
    Dataset lines(QStringLiteral("ItemsSal"));
    lines.setMaster(&orders, QStringLiteral("Id"), QStringLiteral("Id_CheltSal"));
    orders.open();
    lines.open();
    EXPECT_TRUE(lines.isEmpty());

    for (int order = 1; order <= 2; ++order) {
        ASSERT_TRUE(orders.append());
        orders.setValue(QStringLiteral("Nr_act"), order);
        ASSERT_TRUE(orders.post());
        for (int line = 0; line < order; ++line) {
            ASSERT_TRUE(lines.append());
            EXPECT_EQ(lines.asInteger(QStringLiteral("Id_CheltSal")), orders.asInteger(QStringLiteral("Id")));
            lines.setValue(QStringLiteral("Valoarea"), 100.0 * order + line);
            ASSERT_TRUE(lines.post());
        }
    }
    EXPECT_EQ(lines.recordCount(), 2);
    orders.first();
    EXPECT_EQ(lines.recordCount(), 1);
    EXPECT_DOUBLE_EQ(lines.asFloat(QStringLiteral("Valoarea")), 100.0);

    // A detail being edited is posted when the master moves on.
    ASSERT_TRUE(lines.edit());
    lines.setValue(QStringLiteral("Valoarea"), 150.0);
    orders.next();
    EXPECT_EQ(lines.recordCount(), 2);
    EXPECT_DOUBLE_EQ(Sql::scalar(Connection::database(),
                                 QStringLiteral("SELECT Valoarea FROM ItemsSal WHERE Id_CheltSal = 1"))
                         .toDouble(),
                     150.0);
}

TEST_F(DatasetTest, FiltersAndCalculatedFields)
{
    addParishioner(QStringLiteral("E1"), QStringLiteral("Pop Ion"));
    addParishioner(QStringLiteral("E2"), QStringLiteral("Pop Ana"));
    addParishioner(QStringLiteral("E3"), QStringLiteral("Ene Ion"));
    Dataset enoriasi(QStringLiteral("Enoriasi"));
    enoriasi.addCalculatedField(QStringLiteral("Nume_compus"), FieldType::String, 100);
    enoriasi.onCalcFields = [](RecordView& row) {
        row.setValue(QStringLiteral("Nume_compus"),
                     row.value(QStringLiteral("Nume_prenume")).toString() + QStringLiteral(" (") +
                         row.value(QStringLiteral("Cod_enorias")).toString() + QStringLiteral(")"));
    };
    enoriasi.setFilter([](const RecordView& row) {
        return row.value(QStringLiteral("Nume_prenume")).toString().startsWith(QStringLiteral("Pop"));
    });
    enoriasi.open();
    EXPECT_EQ(enoriasi.recordCount(), 3);
    enoriasi.setFiltered(true);
    EXPECT_EQ(columnOf(enoriasi, QStringLiteral("Nume_compus")),
              QStringList({"Pop Ion (E1)", "Pop Ana (E2)"}));
    enoriasi.first();
    ASSERT_TRUE(enoriasi.edit());
    enoriasi.setValue(QStringLiteral("Nume_prenume"), QStringLiteral("Pop Ioan"));
    EXPECT_EQ(enoriasi.asString(QStringLiteral("Nume_compus")), QStringLiteral("Pop Ioan (E1)"));
    EXPECT_THROW(enoriasi.setValue(QStringLiteral("Nume_compus"), QStringLiteral("x")), DbError);
    enoriasi.setFiltered(false); // posts the pending edit and shows every row again
    EXPECT_EQ(enoriasi.recordCount(), 3);
}

// A calculation failing while the rows are read again leaves no half-read
// rows and no position past them.
TEST_F(DatasetTest, AFailedReadingLeavesNoRowsBehind)
{
    for (const char* code : {"E1", "E2", "E3"})
        addParishioner(QString::fromLatin1(code), QStringLiteral("Pop Ion"));
    Dataset enoriasi(QStringLiteral("Enoriasi"));
    enoriasi.addCalculatedField(QStringLiteral("Eticheta"), FieldType::String, 20);
    bool failing = false;
    enoriasi.onCalcFields = [&failing](RecordView& row) {
        if (failing && row.value(QStringLiteral("Cod_enorias")).toString() == QStringLiteral("E2"))
            throw DbError(QStringLiteral("Eticheta nu poate fi calculata"));
        row.setValue(QStringLiteral("Eticheta"), row.value(QStringLiteral("Cod_enorias")));
    };
    enoriasi.open();
    enoriasi.last();
    QSignalSpy resets(&enoriasi, &Dataset::rowsReset);
    failing = true;
    EXPECT_THROW(enoriasi.refresh(), DbError);
    EXPECT_EQ(enoriasi.recordCount(), 0);
    EXPECT_EQ(enoriasi.currentRow(), -1);
    EXPECT_TRUE(enoriasi.eof());
    EXPECT_TRUE(enoriasi.value(QStringLiteral("Eticheta")).isNull());
    EXPECT_EQ(resets.size(), 1);
    failing = false;
    enoriasi.refresh();
    EXPECT_EQ(enoriasi.recordCount(), 3);
}

// A control refreshed by the signals of a dropped last row reads the row
// that becomes current, never a position past the rows.
TEST_F(DatasetTest, DroppingTheLastRowPointsTheSignalsAtARealRow)
{
    const struct {
        const char* name;
        std::function<void(Dataset&)> drop;
    } cases[] = {
        {"an appended record cancelled",
         [](Dataset& types) {
             ASSERT_TRUE(types.append());
             types.setValue(QStringLiteral("Denumire"), QStringLiteral("Nou"));
             types.cancel();
         }},
        {"the last record deleted",
         [](Dataset& types) {
             types.last();
             ASSERT_TRUE(types.remove());
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Dataset types(QStringLiteral("Tip_venituri"));
        types.open();
        const int rowsBefore = types.recordCount();
        QStringList shown;
        const auto show = [&] {
            EXPECT_LT(types.currentRow(), types.recordCount());
            if (types.currentRow() < types.recordCount())
                shown << types.asString(QStringLiteral("Denumire"));
        };
        QObject::connect(&types, &Dataset::stateChanged, show);
        QObject::connect(&types, &Dataset::rowRemoved, show);
        c.drop(types);
        EXPECT_FALSE(shown.isEmpty());
        EXPECT_EQ(types.currentRow(), types.recordCount() - 1);
        EXPECT_LE(types.recordCount(), rowsBefore);
    }
}

TEST_F(DatasetTest, SignalsTellGridsWhatChanged)
{
    Dataset types(QStringLiteral("Tip_cheltuieli"));
    QSignalSpy states(&types, &Dataset::stateChanged);
    QSignalSpy moves(&types, &Dataset::currentRowChanged);
    int scrolls = 0;
    types.afterScroll = [&](Dataset&) { ++scrolls; };
    types.open();
    types.next();
    types.last();
    EXPECT_EQ(moves.count(), 3);
    EXPECT_EQ(scrolls, 3);
    types.edit();
    types.cancel();
    ASSERT_EQ(states.count(), 3); // browse, edit, browse
    EXPECT_EQ(states.at(1).at(0).value<DatasetState>(), DatasetState::Edit);
}

TEST_F(DatasetTest, GridModelShowsAndEditsTheRecords)
{
    Dataset types(QStringLiteral("Tip_venituri"));
    types.open();
    DatasetModel model(&types, {QStringLiteral("Cod_venit"), QStringLiteral("Denumire")});
    model.setColumnTitle(QStringLiteral("Denumire"), QStringLiteral("Denumirea venitului"));
    EXPECT_EQ(model.rowCount(), 18);
    EXPECT_EQ(model.columnCount(), 2);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Denumirea venitului"));
    EXPECT_EQ(model.data(model.index(3, 1)).toString(), QStringLiteral("Lumanari"));

    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    ASSERT_TRUE(model.setData(model.index(3, 1), QStringLiteral("Lumanari si candele")));
    EXPECT_EQ(types.recNo(), 4);
    EXPECT_EQ(types.state(), DatasetState::Edit);
    ASSERT_TRUE(types.post());
    EXPECT_EQ(model.data(model.index(3, 1)).toString(), QStringLiteral("Lumanari si candele"));
    types.append();
    EXPECT_EQ(inserted.count(), 1);
    EXPECT_EQ(model.rowCount(), 19);
    types.cancel();
    EXPECT_EQ(model.rowCount(), 18);
}

TEST_F(DatasetTest, ARefusedPostKeepsTheOrderAndTheRow)
{
    addParishioner(QStringLiteral("E1"), QStringLiteral("Zamfir Ion"));
    addParishioner(QStringLiteral("E2"), QStringLiteral("Avram Ana"));
    const struct {
        const char* what;
        std::function<void()> refusal;
        std::function<bool(Dataset&)> reorder;
    } cases[] = {
        {"silent refusal, by index name", [] { throw SilentAbort(); },
         [](Dataset& ds) { return ds.setIndexName(QStringLiteral("Den")); }},
        {"silent refusal, by field list", [] { throw SilentAbort(); },
         [](Dataset& ds) { return ds.setIndexFieldNames(QStringLiteral("Nume_prenume")); }},
        {"store refusal, by index name", [] { throw DbError(QStringLiteral("refuzat")); },
         [](Dataset& ds) { return ds.setIndexName(QStringLiteral("Den")); }},
        {"store refusal, by field list", [] { throw DbError(QStringLiteral("refuzat")); },
         [](Dataset& ds) { return ds.setIndexFieldNames(QStringLiteral("Nume_prenume")); }},
    };
    TableIndexes::add(Connection::database(), QStringLiteral("Enoriasi"),
                      IndexDef{QStringLiteral("Den"), {QStringLiteral("Nume_prenume")}, false, true});
    for (const auto& c : cases) {
        Dataset enoriasi(QStringLiteral("Enoriasi.DB"));
        enoriasi.beforePost = [&](Dataset&) { c.refusal(); };
        enoriasi.open();
        const QStringList primaryOrder = enoriasi.orderFields();
        ASSERT_TRUE(enoriasi.edit());
        ASSERT_TRUE(enoriasi.setValue(QStringLiteral("Strada"), QStringLiteral("Noua")));
        bool reordered = true;
        try {
            reordered = c.reorder(enoriasi);
        } catch (const DbError&) {
            reordered = false; // the caller learns it either way
        }
        EXPECT_FALSE(reordered) << c.what;
        EXPECT_EQ(enoriasi.orderFields(), primaryOrder) << c.what;
        EXPECT_EQ(enoriasi.state(), DatasetState::Edit) << c.what;
        EXPECT_EQ(enoriasi.asString(QStringLiteral("Cod_enorias")), QStringLiteral("E1")) << c.what;
        EXPECT_EQ(enoriasi.asString(QStringLiteral("Strada")), QStringLiteral("Noua")) << c.what;
        enoriasi.cancel();
    }
}

TEST_F(DatasetTest, AChangeHookThatRefusesPutsTheRecordBack)
{
    Dataset incomes(QStringLiteral("Venituri.DB"));
    incomes.setOnChange(QStringLiteral("Cod_venit"), [](Dataset& ds) {
        ds.setValue(QStringLiteral("Den_venit"),
                    QStringLiteral("tip ") + ds.asString(QStringLiteral("Cod_venit")));
        if (ds.asInteger(QStringLiteral("Cod_venit")) > 10)
            throw SilentAbort();
    });
    incomes.open();
    ASSERT_TRUE(incomes.append());
    ASSERT_TRUE(incomes.setValue(QStringLiteral("Cod_venit"), 4));
    ASSERT_TRUE(incomes.post());
    ASSERT_TRUE(incomes.edit());
    QSignalSpy changes(&incomes, &Dataset::fieldValueChanged);
    bool taken = true;
    EXPECT_NO_THROW(taken = incomes.setEditText(QStringLiteral("Cod_venit"), QStringLiteral("12")));
    EXPECT_FALSE(taken);
    EXPECT_EQ(incomes.asInteger(QStringLiteral("Cod_venit")), 4);
    EXPECT_EQ(incomes.asString(QStringLiteral("Den_venit")), QStringLiteral("tip 4"));
    EXPECT_FALSE(incomes.isModified());
    EXPECT_FALSE(changes.isEmpty()); // the bound controls show the record as it is again
}
