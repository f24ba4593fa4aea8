#include "db/Connection.h"
#include "db/Dataset.h"
#include "db/DbError.h"
#include "db/Sql.h"
#include "db/TableDefinitions.h"
#include "support/TestFolder.h"

#include <QDate>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace
{

struct StoredField {
    QString name;
    QString type;
};

QList<StoredField> storedFields(const QString& table)
{
    QList<StoredField> fields;
    QSqlQuery q =
        Sql::exec(Connection::database(), QStringLiteral("PRAGMA table_info(%1)").arg(Sql::quoted(table)));
    while (q.next())
        fields.append({q.value(1).toString(), q.value(2).toString()});
    return fields;
}

QStringList column(const QString& statement)
{
    QStringList values;
    QSqlQuery q = Sql::exec(Connection::database(), statement);
    while (q.next())
        values << q.value(0).toString();
    return values;
}

class NewDatabase : public ::testing::Test
{
protected:
    void SetUp() override { folder.openWorkingYear(); }
    TestFolder folder;
};

} // namespace

TEST_F(NewDatabase, HasEveryTableWithItsFieldsInOrderAndNotAni)
{
    for (const TableDef& table : TableDefinitions::all()) {
        SCOPED_TRACE(table.name.toStdString());
        const QList<StoredField> stored = storedFields(table.name);
        if (!table.createdWithDatabase) {
            EXPECT_TRUE(stored.isEmpty());
            continue;
        }
        ASSERT_EQ(stored.size(), table.fields.size());
        for (int i = 0; i < stored.size(); ++i) {
            EXPECT_EQ(stored[i].name, table.fields[i].name);
            EXPECT_EQ(stored[i].type.section(QLatin1Char(' '), 0, 0),
                      TableDefinitions::declaredType(table.fields[i]).section(QLatin1Char(' '), 0, 0));
        }
    }
}

TEST_F(NewDatabase, FieldsThatOtherPartsReadByPosition)
{
    const QList<StoredField> contor = storedFields(QStringLiteral("Contor"));
    ASSERT_EQ(contor.size(), 9);
    EXPECT_EQ(contor[8].name, QStringLiteral("CodVenContrib"));
    const QList<StoredField> bilant = storedFields(QStringLiteral("Bilant"));
    EXPECT_EQ(bilant[5].name, QStringLiteral("Cont1"));
    EXPECT_EQ(bilant[6].name, QStringLiteral("Cont"));
    // Fields without a size on their form hold 20 characters.
    EXPECT_EQ(
        TableDefinitions::find(QStringLiteral("Parohia.DB"))->field(QStringLiteral("Localitatea"))->size, 20);
    EXPECT_EQ(TableDefinitions::find(QStringLiteral("DocIn.db"))->field(QStringLiteral("Tip"))->size, 20);
}

TEST_F(NewDatabase, DeliveredContents)
{
    EXPECT_EQ(column(QStringLiteral("SELECT Denumire FROM Tip_doc ORDER BY rowid")),
              QStringList({"CHIT", "OP", "DP", "DI", "FACT", "BF", "EXT", "SS", "PV"}));
    EXPECT_EQ(column(QStringLiteral("SELECT An_lucru FROM Parohia")),
              QStringList{QString::number(QDate::currentDate().year())});
    EXPECT_EQ(column(QStringLiteral(
                  "SELECT count(*) FROM Parohia WHERE Parohia IS NULL AND \"Cont bancar\" IS NULL")),
              QStringList{"1"});
    EXPECT_EQ(column(QStringLiteral(
                  "SELECT Sold_init_casa || '|' || Sold_init_banca || '|' || Count_venit || '|' || "
                  "Count_chelt || '|' || ifnull(PretInOut, 'null') || '|' || ifnull(PretOut, 'null') "
                  "|| '|' || CodVenLum || '|' || CodChLum || '|' || CodVenContrib FROM Contor")),
              QStringList{"0.0|0.0|0.0|0.0|null|null|5|31|2"});
    EXPECT_EQ(column(QStringLiteral("SELECT count(*) FROM Tip_venituri")), QStringList{"18"});
    EXPECT_EQ(column(QStringLiteral("SELECT count(*) FROM Tip_cheltuieli")), QStringList{"24"});
    EXPECT_EQ(
        column(QStringLiteral("SELECT Explicatie_cheltuiala FROM Tip_cheltuieli WHERE Cod_cheltuiala = 30")),
        QStringList{"Vin, tamaie, prescura, untdelemn"});
}

TEST_F(NewDatabase, BalanceSheetNomenclatureInKeyOrder)
{
    Dataset bilant(QStringLiteral("Bilant.DB"));
    bilant.open();
    ASSERT_EQ(bilant.recordCount(), 50);
    QStringList rows;
    for (bilant.first(); !bilant.eof(); bilant.next())
        rows << bilant.asString(QStringLiteral("Nr_rand")) + QLatin1Char(' ') +
                    bilant.asString(QStringLiteral("Denumire"));
    EXPECT_EQ(rows[0], QStringLiteral("0 VENITURI"));
    EXPECT_EQ(rows[2], QStringLiteral("2 Contributia anuala a credinciosilor"));
    EXPECT_EQ(rows[22], QStringLiteral("22 CHELTUIELI"));
    EXPECT_EQ(rows[23], QStringLiteral("22 Cheltuieli cu personalul"));
    EXPECT_EQ(rows[24], QStringLiteral("23 Salarii clerici"));
    EXPECT_EQ(rows[49], QStringLiteral("48 SOLD LA SFARSITUL PERIOADEI"));
    EXPECT_EQ(column(QStringLiteral("SELECT Cont FROM Bilant WHERE Nr_rand = 21")), QStringList{"-"});
    EXPECT_EQ(column(QStringLiteral("SELECT Formula FROM Bilant WHERE Nr_rand = 48")),
              QStringList{"1+20-47"});
    EXPECT_EQ(column(QStringLiteral("SELECT Formula FROM Bilant WHERE Nr_rand = 20")),
              QStringList{"2+3+4+5+6+7+8+9+10+11+12+13+14+15+16+17+18+19"});
}

TEST_F(NewDatabase, BankAccountFieldWithItsBlankIsWritable)
{
    Dataset parohia(QStringLiteral("Parohia.DB"));
    parohia.open();
    ASSERT_TRUE(parohia.edit());
    parohia.setValue(QStringLiteral("Cont bancar"), QStringLiteral("RO49AAAA1B31007593840000"));
    ASSERT_TRUE(parohia.post());
    EXPECT_EQ(column(QStringLiteral("SELECT \"Cont bancar\" FROM Parohia")),
              QStringList{"RO49AAAA1B31007593840000"});
}

// ---- keys and required fields ------------------------------------------

namespace
{

struct KeyCase {
    const char* name;
    const char* first;
    const char* second;
    bool secondAccepted;
};

class Keys : public NewDatabase, public ::testing::WithParamInterface<KeyCase>
{
};

} // namespace

TEST_P(Keys, StoreRefusesDuplicatesAsDefined)
{
    const KeyCase& c = GetParam();
    Sql::exec(Connection::database(), QString::fromUtf8(c.first));
    bool accepted = true;
    try {
        Sql::exec(Connection::database(), QString::fromUtf8(c.second));
    } catch (const DbError& e) {
        accepted = false;
        EXPECT_TRUE(e.text().startsWith(QStringLiteral("Cheie duplicata"))) << e.text().toStdString();
    }
    EXPECT_EQ(accepted, c.secondAccepted);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, Keys,
    ::testing::Values(
        KeyCase{"IncomeTypeCode", "INSERT INTO Tip_venituri (Cod_venit, Denumire) VALUES (50, 'A')",
                "INSERT INTO Tip_venituri (Cod_venit, Denumire) VALUES (50, 'B')", false},
        KeyCase{"ParishionerSameCodeOtherName",
                "INSERT INTO Enoriasi VALUES ('E1', 'Pop Ion', 'Unirii', '3', 'Intreaga', NULL)",
                "INSERT INTO Enoriasi VALUES ('E1', 'Pop Ana', 'Unirii', '3', 'Intreaga', NULL)", true},
        KeyCase{"ParishionerWholeKey",
                "INSERT INTO Enoriasi VALUES ('E1', 'Pop Ion', 'Unirii', '3', 'Intreaga', NULL)",
                "INSERT INTO Enoriasi VALUES ('E1', 'Pop Ion', 'Unirii', '3', 'Jumatate', NULL)", false},
        KeyCase{"ParishionerEmptyKeyFields",
                "INSERT INTO Enoriasi VALUES ('E1', 'Pop Ion', NULL, NULL, 'Intreaga', NULL)",
                "INSERT INTO Enoriasi VALUES ('E1', 'Pop Ion', '', NULL, 'Intreaga', NULL)", false},
        KeyCase{
            "FamilyMemberSameNameAndBirth",
            "INSERT INTO MembriiFam (Cod_enorias, Numele, Data_nasterii) VALUES ('E1', 'Ana', '2001-05-02')",
            "INSERT INTO MembriiFam (Cod_enorias, Numele, Data_nasterii) VALUES ('E1', 'Ana', '2001-05-02')",
            false},
        KeyCase{"FamilyMemberWithoutBirthDate",
                "INSERT INTO MembriiFam (Cod_enorias, Numele) VALUES ('E1', 'Ana')",
                "INSERT INTO MembriiFam (Cod_enorias, Numele) VALUES ('E1', 'Ana')", false},
        KeyCase{"BurialSameNumberAndDate",
                "INSERT INTO Inmormantari (Cod_enorias, Numar, Data) VALUES ('E1', 4, '2024-03-01')",
                "INSERT INTO Inmormantari (Cod_enorias, Numar, Data) VALUES ('E1', 4, '2024-03-01')", false},
        KeyCase{"BurialSameNumberOtherDate",
                "INSERT INTO Inmormantari (Cod_enorias, Numar, Data) VALUES ('E1', 4, '2024-03-01')",
                "INSERT INTO Inmormantari (Cod_enorias, Numar, Data) VALUES ('E1', 4, '2024-03-02')", true},
        KeyCase{"BalanceRowNumberTwice", "INSERT INTO Bilant (Nr_rand, Denumire) VALUES (60, 'A')",
                "INSERT INTO Bilant (Nr_rand, Denumire) VALUES (60, 'B')", true},
        KeyCase{"IncomesHaveNoKey", "INSERT INTO Venituri (Nr_act) VALUES (1)",
                "INSERT INTO Venituri (Nr_act) VALUES (1)", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(NewDatabase, RequiredFieldsAndSizesAreRefusedWithAClearMessage)
{
    Dataset enoriasi(QStringLiteral("Enoriasi.DB"));
    enoriasi.open();
    ASSERT_TRUE(enoriasi.append());
    enoriasi.setValue(QStringLiteral("Cod_enorias"), QStringLiteral("E7"));
    enoriasi.setValue(QStringLiteral("Nume_prenume"), QStringLiteral("Pop Ion"));
    try {
        enoriasi.post();
        FAIL() << "a parishioner without contribution kind was stored";
    } catch (const DbError& e) {
        EXPECT_EQ(e.text(), QStringLiteral("Campul Tip_contributie trebuie completat"));
    }
    EXPECT_EQ(enoriasi.state(), DatasetState::Insert);
    EXPECT_EQ(enoriasi.asString(QStringLiteral("Nume_prenume")), QStringLiteral("Pop Ion"));

    try {
        enoriasi.setValue(QStringLiteral("Cod_enorias"), QStringLiteral("12345678901"));
        FAIL() << "an 11-character code was taken";
    } catch (const DbError& e) {
        EXPECT_EQ(e.text(),
                  QStringLiteral("Campul Cod_enorias primeste cel mult 10 caractere; textul dat are 11"));
    }
    EXPECT_EQ(enoriasi.asString(QStringLiteral("Cod_enorias")), QStringLiteral("E7"));

    // Statements are held to the same sizes.
    EXPECT_THROW(Sql::exec(Connection::database(),
                           QStringLiteral("INSERT INTO Tip_doc (Denumire) VALUES ('1234567890123456')")),
                 DbError);
}
