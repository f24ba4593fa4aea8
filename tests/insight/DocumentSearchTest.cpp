#include "insight/DocumentSearch.h"
#include "SearchTestSupport.h"
#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/Dataset.h"
#include "db/DocumentSearchIndex.h"
#include "db/SchemaUpgrade.h"
#include "db/Sql.h"
#include "insight/SearchedYears.h"
#include "support/Documents.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

namespace
{

// The numbers of the documents found, as "kind:number" ("I:3", "P:7", "D:1", "R:1", "S:2"), in order.
QStringList numbersOf(const QList<FoundDocument>& found)
{
    static const char* const letters[] = {"I", "P", "D", "R", "S"};
    QStringList list;
    for (const FoundDocument& f : found)
        list << QStringLiteral("%1:%2").arg(QLatin1String(letters[int(f.kind)])).arg(f.number);
    return list;
}

class DocumentSearchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db = folder.openWorkingYear();
        Documents::setYear(db, 2024, 0, 0);
        using namespace SearchDocuments;
        income(db, 1, QStringLiteral("2024-03-05"), 150, QStringLiteral("Ștefan Popescu"),
               QStringLiteral("Contributie martie"));
        income(db, 2, QStringLiteral("2024-03-20"), 40, QStringLiteral("Maria Ţurcanu"),
               QStringLiteral("Pomelnic"), 3, QStringLiteral("Slujbe"));
        income(db, 3, QStringLiteral("2024-05-02"), 1000, QStringLiteral("Ion Stefanescu"),
               QStringLiteral("Donație clopot"), 1, QStringLiteral("Donatii"), QStringLiteral("Banca"));
        payment(db, 1, QStringLiteral("2024-03-10"), 250.5, QStringLiteral("Şerban Construct SRL"),
                QStringLiteral("Reparații acoperiș"), 20, QStringLiteral("Reparatii"));
        payment(db, 2, QStringLiteral("2024-04-01"), 40, QStringLiteral("Lumânări Sfântul Ștefan"),
                QStringLiteral("Lumanari"), 34, QStringLiteral("Lumanari"), QStringLiteral("Banca"));
        Documents::deposit(db, 1, QStringLiteral("2024-03-21"), 500);
        Documents::withdrawal(db, 1, QStringLiteral("2024-04-15"), 40);
        Documents::salaryOrder(db, 1, QStringLiteral("2024-03-31"), QStringLiteral("Banca"),
                               {{11, 2000}, {12, 300}}, QStringLiteral("Salarii martie cântăreț"));
    }

    // Closes 2024 as the year-end does: a copy in the year folder, the documents gone from the working year.
    void closeYear()
    {
        folder.closeYear(2024);
        db = Connection::database();
        for (const char* table : {"ItemsSal", "CheltSal", "Venituri", "Cheltuieli", "Depuneri", "Ridicari"})
            Sql::exec(db, QStringLiteral("DELETE FROM %1").arg(QLatin1String(table)));
    }

    QStringList found(const SearchCriteria& c) { return numbersOf(searchDocuments(db, 2024, c)); }

    TestFolder folder;
    QSqlDatabase db;
};

} // namespace

TEST_F(DocumentSearchTest, CasesOfWordsAndFilters)
{
    const auto date = [](int m, int d) { return QDate(2024, m, d); };
    struct Case {
        const char* name;
        SearchCriteria criteria;
        QStringList expected;
    };
    const QList<Case> cases = {
        {"without diacritics finds them", {.text = QStringLiteral("stefan")}, {"I:1", "P:2", "I:3"}},
        {"a whole word", {.text = QStringLiteral("stefan pop")}, {"I:1"}},
        {"diacritics typed find plain letters", {.text = QStringLiteral("Ștefanescu")}, {"I:3"}},
        {"cedilla and comma below alike", {.text = QStringLiteral("ţurcanu şerban")}, {}},
        {"cedilla typed, comma stored", {.text = QStringLiteral("reparaţii")}, {"P:1"}},
        {"comma typed, cedilla stored", {.text = QStringLiteral("șerban")}, {"P:1"}},
        {"prefix of a word", {.text = QStringLiteral("stefane")}, {"I:3"}},
        {"every word must match", {.text = QStringLiteral("stef ion")}, {"I:3"}},
        {"case does not count", {.text = QStringLiteral("POMELNIC")}, {"I:2"}},
        {"type's name", {.text = QStringLiteral("slujbe")}, {"I:2"}},
        {"salary order by its explanation", {.text = QStringLiteral("cantaret")}, {"S:1"}},
        {"amount exact", {.minAmount = 40, .maxAmount = 40}, {"I:2", "P:2", "R:1"}},
        {"amount range", {.minAmount = 200, .maxAmount = 600}, {"P:1", "D:1"}},
        {"salary order's amount is its lines' sum", {.minAmount = 2300, .maxAmount = 2300}, {"S:1"}},
        {"dates", {.from = date(3, 10), .to = date(3, 31)}, {"P:1", "I:2", "D:1", "S:1"}},
        {"kind", {.kinds = {DocumentKind::Payment}}, {"P:1", "P:2"}},
        {"account: deposits and withdrawals belong to both",
         {.account = QStringLiteral("Banca")},
         {"D:1", "S:1", "P:2", "R:1", "I:3"}},
        {"words with kind and account",
         {.text = QStringLiteral("stefan"),
          .account = QStringLiteral("Casa"),
          .kinds = {DocumentKind::Income}},
         {"I:1"}},
        {"type code: incomes, payments and salary lines", {.typeCode = 12}, {"S:1"}},
        {"type code of incomes", {.typeCode = 3}, {"I:2"}},
        {"nothing found", {.text = QStringLiteral("zzz")}, {}},
        {"punctuation only is no word",
         {.text = QStringLiteral("\" * ( -")},
         {"I:1", "P:1", "I:2", "D:1", "S:1", "P:2", "R:1", "I:3"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(found(c.criteria), c.expected);
    }
}

TEST_F(DocumentSearchTest, ASalaryOrderFoundByTypeShowsThatTypesLines)
{
    const QList<FoundDocument> orders = searchDocuments(db, 2024, {.typeCode = 12});
    ASSERT_EQ(orders.size(), 1);
    EXPECT_DOUBLE_EQ(orders[0].amount, 300);
    EXPECT_EQ(orders[0].typeCode, 12);
}

TEST_F(DocumentSearchTest, TheIndexFollowsEveryStoreChangeAndDeletion)
{
    const auto found = [this](const QString& words) { return this->found({.text = words}); };
    Dataset incomes(QStringLiteral("Venituri"));
    incomes.open();
    ASSERT_TRUE(incomes.append());
    incomes.setValue(QStringLiteral("Nr_act"), 9);
    incomes.setValue(QStringLiteral("Data"), QDate(2024, 6, 1));
    incomes.setValue(QStringLiteral("Den_enorias"), QStringLiteral("Gheorghiță Vlădescu"));
    incomes.setValue(QStringLiteral("Valoarea"), 20);
    ASSERT_TRUE(incomes.post());
    EXPECT_EQ(found(QStringLiteral("gheorghita")), QStringList{"I:9"});

    ASSERT_TRUE(incomes.edit());
    incomes.setValue(QStringLiteral("Den_enorias"), QStringLiteral("Vasile Vlădescu"));
    ASSERT_TRUE(incomes.post());
    EXPECT_EQ(found(QStringLiteral("gheorghita")), QStringList{});
    EXPECT_EQ(found(QStringLiteral("vasile vlad")), QStringList{"I:9"});

    ASSERT_TRUE(incomes.remove());
    EXPECT_EQ(found(QStringLiteral("vladescu")), QStringList{});

    // A salary order is found by its lines, which change apart from it.
    const qint64 order = Sql::scalar(db, QStringLiteral("SELECT Id FROM CheltSal")).toLongLong();
    Sql::exec(db, QStringLiteral(
                      "UPDATE ItemsSal SET Explicatie = 'Paraclisier Mihăilă' WHERE Cod_cheltuiala = 12"));
    EXPECT_EQ(found(QStringLiteral("mihaila")), QStringList{"S:1"});
    Sql::exec(db, QStringLiteral("DELETE FROM ItemsSal WHERE Cod_cheltuiala = 12"));
    EXPECT_EQ(found(QStringLiteral("mihaila")), QStringList{});
    Sql::exec(db, QStringLiteral("DELETE FROM CheltSal WHERE Id = :id"), {{QStringLiteral(":id"), order}});
    EXPECT_EQ(found(QStringLiteral("cantaret")), QStringList{});
    EXPECT_EQ(
        Sql::scalar(db, QStringLiteral("SELECT count(*) FROM Cautare")).toInt(),
        Sql::scalar(
            db, QStringLiteral("SELECT (SELECT count(*) FROM Venituri) + (SELECT count(*) FROM Cheltuieli) + "
                               "(SELECT count(*) FROM Depuneri) + (SELECT count(*) FROM Ridicari) + "
                               "(SELECT count(*) FROM CheltSal)"))
            .toInt());
}

// Older data keeps some incomes with the parishioner's code and no name:
// they are found by the catalogue's name and by the code, when stored and
// when the index is made again from the documents.
TEST_F(DocumentSearchTest, AnIncomeWithOnlyTheParishionersCodeIsFoundByTheirName)
{
    Sql::exec(db, QStringLiteral("INSERT INTO Enoriasi (Cod_enorias, Nume_prenume, Tip_contributie) VALUES ('E0103', 'Țurcanu Ioana', 1)"));
    Sql::exec(db, QStringLiteral("INSERT INTO Venituri (Nr_act, Data, Cod_enorias, Den_enorias, Valoarea, Cont, Fel) "
                                 "VALUES (7, '2024-06-02', 'E0103', '', 30, 'Casa', 'CHIT')"));
    EXPECT_EQ(found({.text = QStringLiteral("turcanu ioana")}), QStringList{"I:7"});
    EXPECT_EQ(found({.text = QStringLiteral("e0103")}), QStringList{"I:7"});
    Sql::exec(db, QStringLiteral("DROP TABLE Cautare"));
    DocumentSearchIndex::ensure(db);
    EXPECT_EQ(found({.text = QStringLiteral("ioana")}), QStringList{"I:7"});
}

TEST_F(DocumentSearchTest, TheUpgradeMakesAMissingIndexFromTheDocuments)
{
    Sql::exec(db, QStringLiteral("DROP TABLE Cautare"));
    EXPECT_TRUE(DocumentSearchIndex::needsBuilding(db));
    int notices = 0;
    const QStringList statements = SchemaUpgrade::upgrade(db, [&] { ++notices; });
    EXPECT_EQ(statements.size(), 1);
    EXPECT_EQ(notices, 1);
    EXPECT_TRUE(DocumentSearchIndex::isComplete(db));
    EXPECT_EQ(found({.text = QStringLiteral("stefan")}), (QStringList{"I:1", "P:2", "I:3"}));
    // A missing trigger alone is enough for the index to be made again.
    Sql::exec(db, QStringLiteral("DROP TRIGGER Cautare_ItemsSal_update"));
    EXPECT_EQ(SchemaUpgrade::upgrade(db).size(), 1);
    EXPECT_TRUE(SchemaUpgrade::upgrade(db).isEmpty());
}

TEST_F(DocumentSearchTest, AClosedYearIsSearchedReadOnlyWithItsYearOnEachRow)
{
    closeYear();
    SearchDocuments::income(db, 1, QStringLiteral("2025-01-10"), 75, QStringLiteral("Ștefania Radu"),
                            QString());
    SearchedYears years;
    QList<FoundDocument> found = years.search({.text = QStringLiteral("stefan")}, false);
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found[0].year, 2025);

    found = years.search({.text = QStringLiteral("stefan")}, true);
    ASSERT_EQ(numbersOf(found), (QStringList{"I:1", "P:2", "I:3", "I:1"}));
    EXPECT_EQ(found[0].year, 2024);
    EXPECT_EQ(found[3].year, 2025);
    EXPECT_EQ(found[0].name, QStringLiteral("Ștefan Popescu"));
}

TEST_F(DocumentSearchTest, AClosedYearWithoutAnIndexIsIndexedForTheReadingOnly)
{
    // A database of an earlier release: neither the index nor its triggers.
    Documents::dropSearchIndex(db);
    closeYear();
    // The working year gets its index at the next start.
    SchemaUpgrade::upgrade(db);
    const QString closedFile = DatabaseLocation::yearFolder(2024) + DatabaseLocation::databaseFileName;
    SearchedYears years;
    const QList<FoundDocument> found = years.search({.text = QStringLiteral("serban")}, true);
    EXPECT_EQ(numbersOf(found), QStringList{"P:1"});
    years.close();
    // The closed year's file is left as it was.
    {
        QSqlDatabase closed = Connection::openNamed(QStringLiteral("closedCheck"), closedFile);
        EXPECT_FALSE(Sql::tableExists(closed, QStringLiteral("Cautare")));
    }
    Connection::removeNamed(QStringLiteral("closedCheck"));
}
