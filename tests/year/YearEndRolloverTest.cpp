#include "year/YearEndRollover.h"
#include "DatabaseDump.h"
#include "support/Documents.h"
#include "support/TestFolder.h"
#include "year/YearFolderArchive.h"

#include "core/Utilities.h"
#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/Sql.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>

using DatabaseDump::dump;
using DatabaseDump::rowsOf;

namespace
{

constexpr int closingYear = 2023;
constexpr int contributionCode = 2; // as the delivered parameters have it

QStringList column(const QSqlDatabase& db, const QString& statement)
{
    QStringList values;
    QSqlQuery query = Sql::exec(db, statement);
    while (query.next())
        values << DatabaseDump::cellText(query.value(0));
    return values;
}

// A connection of its own on a year folder's database, removed with the object.
class YearFolderDatabase
{
public:
    explicit YearFolderDatabase(const QString& file)
        : m_db(Connection::openNamed(QStringLiteral("year-folder-check"), file))
    {
    }
    ~YearFolderDatabase()
    {
        m_db = QSqlDatabase();
        Connection::removeNamed(QStringLiteral("year-folder-check"));
    }
    YearFolderDatabase(const YearFolderDatabase&) = delete;
    YearFolderDatabase& operator=(const YearFolderDatabase&) = delete;
    const QSqlDatabase& db() const { return m_db; }

private:
    QSqlDatabase m_db;
};

class YearEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db = folder.openWorkingYear();
        Documents::setYear(db, closingYear, 500, 1000);
        Sql::exec(db, QStringLiteral("UPDATE Parohia SET Val_contributie = 100"));
        Sql::exec(db, QStringLiteral("UPDATE Contor SET Count_venit = 7, Count_chelt = 9"));
        fillYear();
        fillLastingTables();
        for (const char* name :
             {"Configurari.ini", "Note.txt", "poza.jpg", "StatutulBOR.pdf", "Lumivaret", "HelpLumivaret.exe"})
            folder.write(QString::fromLatin1(name), "continut");
    }

    void addParishioner(const QString& code, const QString& name, const QVariant& carried)
    {
        Sql::exec(
            db,
            QStringLiteral("INSERT INTO Enoriasi (Cod_enorias, Nume_prenume, Strada, Nr, "
                           "Tip_contributie, Restanta) VALUES (:c, :n, 'Lunga', '1', 'Intreaga', :r)"),
            {{QStringLiteral(":c"), code}, {QStringLiteral(":n"), name}, {QStringLiteral(":r"), carried}});
    }

    void addContribution(const QString& code, double value, const QString& date)
    {
        Sql::exec(db,
                  QStringLiteral("INSERT INTO Venituri (Nr_act, Data, Cod_venit, Cod_enorias, Valoarea, Fel) "
                                 "VALUES (:nr, :d, :cv, :c, :v, 'CHIT')"),
                  {{QStringLiteral(":nr"), ++receiptNumber},
                   {QStringLiteral(":d"), date},
                   {QStringLiteral(":cv"), contributionCode},
                   {QStringLiteral(":c"), code},
                   {QStringLiteral(":v"), value}});
    }

    // Documents of the closing year and some typed early for the next one.
    void fillYear()
    {
        addParishioner(QStringLiteral("P1"), QStringLiteral("Popescu Ion"), 50.0);
        addContribution(QStringLiteral("P1"), 120, QStringLiteral("2023-05-01"));
        addParishioner(QStringLiteral("P2"), QStringLiteral("Ionescu Maria"), QVariant());
        addContribution(QStringLiteral("P2"), 200, QStringLiteral("2023-12-31"));
        addParishioner(QStringLiteral("P3"), QStringLiteral("Vasilescu Ana"), QVariant());
        addContribution(QStringLiteral("P3"), 40, QStringLiteral("2024-01-02"));
        Documents::receipt(db, ++receiptNumber, QStringLiteral("2023-03-01"), 10);
        Documents::receipt(db, ++receiptNumber, QStringLiteral("2024-01-03"), 15);
        Documents::payment(db, 1, QStringLiteral("2023-12-31"), 20);
        Documents::payment(db, 2, QStringLiteral("2024-01-02"), 25);
        Documents::deposit(db, 1, QStringLiteral("2023-05-05"), 30);
        Documents::deposit(db, 2, QStringLiteral("2024-01-05"), 35);
        Documents::withdrawal(db, 1, QStringLiteral("2023-07-07"), 40);
        Documents::withdrawal(db, 2, QStringLiteral("2024-01-06"), 45);
        Documents::salaryOrder(db, 1, QStringLiteral("2023-12-30"), QStringLiteral("Casa"),
                               {{34, 100}, {35, 50}});
        Documents::salaryOrder(db, 2, QStringLiteral("2024-01-02"), QStringLiteral("Banca"), {{34, 70}});
    }

    // Rows of the tables the closing must leave alone (the catalogues and the
    // balance sheet rows have their delivered contents).
    void fillLastingTables()
    {
        for (
            const char* statement :
            {"INSERT INTO Stoc (Denumire, Cantitate, Pret) VALUES ('Candela', 2, 10)",
             "INSERT INTO DocIn (Numar, Data, Tip, Furnizor) VALUES (1, '2023-02-02', 'Factura', 'Atelier')",
             "INSERT INTO ItemIn (Cod, Denumire, Cantitate, Pret_achizitie) VALUES (1, 'Lumanari', 100, 0.5)",
             "INSERT INTO MembriiFam (Cod_enorias, Numele, Data_nasterii) VALUES ('P1', 'Ana', '1990-04-04')",
             "INSERT INTO Botezuri (Cod_enorias, Numar, Data, Nume_prunc) VALUES ('P1', 3, '2023-06-06', "
             "'Ilie')",
             "INSERT INTO Activitati (Cod_enorias, Data, Explicatie) VALUES ('P2', '2023-08-08', "
             "'Sfestanie')",
             "UPDATE Bilant SET Prevederi = 1000 WHERE Nr_rand = 1"})
            Sql::exec(db, QString::fromLatin1(statement));
    }

    // Everything the closing must not change, as text.
    QStringList lastingData()
    {
        QStringList lines;
        for (const char* table :
             {"Tip_venituri", "Tip_cheltuieli", "Tip_doc", "Bilant", "Stoc", "DocIn", "ItemIn", "Furnizori",
              "MembriiFam", "Botezuri", "Cununii", "Inmormantari", "Activitati"})
            lines << rowsOf(db, QString::fromLatin1(table));
        lines << rowsOf(db, QStringLiteral("Enoriasi"),
                        QStringLiteral("Cod_enorias, Nume_prenume, Strada, Nr, Tip_contributie"));
        lines << rowsOf(db, QStringLiteral("Contor"),
                        QStringLiteral("Count_venit, Count_chelt, PretInOut, PretOut, CodVenLum, CodChLum, "
                                       "CodVenContrib"));
        lines << rowsOf(db, QStringLiteral("Parohia"),
                        QStringLiteral("Val_contributie, Parohia, Preot, Banca, \"Cont bancar\""));
        return lines;
    }

    int closeYear() { return YearEndRollover::closeWorkingYear(db, folder.path(), closingYear); }

    QString yearFolder() const { return folder.path() + QString::number(closingYear); }
    QString archivedDatabase() const { return yearFolder() + QStringLiteral("/BazaDate.sqlite"); }

    TestFolder folder;
    QSqlDatabase db;
    int receiptNumber = 0;
};

} // namespace

TEST_F(YearEnd, TheFirstClosingListsTheClosedAndTheNewYearAndEachNextOneAddsItsNewYear)
{
    ASSERT_FALSE(Sql::tableExists(db, QStringLiteral("Ani")));
    EXPECT_EQ(closeYear(), 2024);
    EXPECT_EQ(DatabaseLocation::instance().knownYears(), (QList<int>{2023, 2024}));

    EXPECT_EQ(YearEndRollover::closeWorkingYear(db, folder.path(), 2024), 2025);
    EXPECT_EQ(DatabaseLocation::instance().knownYears(), (QList<int>{2023, 2024, 2025}));
    EXPECT_EQ(Sql::scalar(db, QStringLiteral("SELECT An_lucru FROM Parohia")).toInt(), 2025);
}

TEST_F(YearEnd, DeletesTheClosedYearsDocumentsAndKeepsThoseOfTheNewYear)
{
    closeYear();

    const struct {
        const char* table;
        QStringList datesLeft;
    } cases[] = {
        {"Venituri", {"2024-01-02", "2024-01-03"}},
        {"Cheltuieli", {"2024-01-02"}},
        {"Depuneri", {"2024-01-05"}},
        {"Ridicari", {"2024-01-06"}},
        {"CheltSal", {"2024-01-02"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(column(db, QStringLiteral("SELECT Data FROM %1 ORDER BY Data").arg(QLatin1String(c.table))),
                  c.datesLeft)
            << c.table;
    // The 30 December order went with both its lines, the 2 January one kept its own.
    EXPECT_EQ(column(db, QStringLiteral("SELECT I.Valoarea FROM ItemsSal I JOIN CheltSal C ON C.Id = "
                                        "I.Id_CheltSal")),
              QStringList{QStringLiteral("70")});
    EXPECT_EQ(column(db, QStringLiteral("SELECT count(*) FROM ItemsSal")), QStringList{QStringLiteral("1")});
    EXPECT_EQ(column(db, QStringLiteral("SELECT An_lucru FROM Parohia")),
              QStringList{QStringLiteral("2024")});
    EXPECT_EQ(column(db, QStringLiteral("SELECT Sold_init_casa || '/' || Sold_init_banca FROM Contor")),
              QStringList{QStringLiteral("0.0/0.0")});
}

// Old arrears 50 + 100 - 120 paid leave 30; 200 paid leaves nothing; a
// payment of the next year does not count for the closed one.
TEST_F(YearEnd, CarriesEachFamilysUnpaidContributionIntoTheNewYear)
{
    closeYear();
    EXPECT_EQ(
        column(db, QStringLiteral("SELECT Cod_enorias || '=' || ifnull(Restanta, 'null') FROM Enoriasi "
                                  "ORDER BY Cod_enorias")),
        (QStringList{QStringLiteral("P1=30.0"), QStringLiteral("P2=null"), QStringLiteral("P3=100.0")}));
}

TEST_F(YearEnd, CataloguesFamiliesStockCandleIntakeAndBalanceSheetStay)
{
    const QStringList before = lastingData();
    closeYear();
    EXPECT_EQ(lastingData(), before);
}

TEST_F(YearEnd, TheYearFolderHoldsTheClosedYearsDataButNotTheProgramPhotoOrStatute)
{
    closeYear();

    EXPECT_EQ(QDir(yearFolder()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{QStringLiteral("BazaDate.sqlite"), QStringLiteral("Configurari.ini"),
                           QStringLiteral("Note.txt")}));
    const YearFolderDatabase archived(archivedDatabase());
    EXPECT_EQ(column(archived.db(), QStringLiteral("SELECT An_lucru FROM Parohia")),
              QStringList{QStringLiteral("2023")});
    EXPECT_EQ(column(archived.db(), QStringLiteral("SELECT Data FROM Venituri WHERE Data <= '2023-12-31' "
                                                   "ORDER BY Data")),
              (QStringList{QStringLiteral("2023-03-01"), QStringLiteral("2023-05-01"),
                           QStringLiteral("2023-12-31")}));
    EXPECT_EQ(column(archived.db(), QStringLiteral("SELECT count(*) FROM ItemsSal")),
              QStringList{QStringLiteral("3")});
    EXPECT_EQ(column(archived.db(), QStringLiteral("SELECT Restanta FROM Enoriasi WHERE Cod_enorias = 'P1'")),
              QStringList{QStringLiteral("50")});
}

// A year folder left by an earlier attempt holds the data as they were then:
// it is replaced whole by the data as they are at the closing.
TEST_F(YearEnd, AYearFolderOfAnEarlierAttemptIsRefreshed)
{
    YearFolderArchive::refresh(folder.path(), closingYear);
    folder.write(QStringLiteral("2023/Ramas.txt"), "din incercarea trecuta");
    Documents::receipt(db, ++receiptNumber, QStringLiteral("2023-12-29"), 99, QStringLiteral("Casa"),
                       QStringLiteral("Tiparit dupa prima copie"));

    closeYear();

    const YearFolderDatabase archived(archivedDatabase());
    EXPECT_EQ(
        column(archived.db(),
               QStringLiteral("SELECT Valoarea FROM Venituri WHERE Explicatie = 'Tiparit dupa prima copie'")),
        QStringList{QStringLiteral("99")});
    EXPECT_FALSE(QFile::exists(yearFolder() + QStringLiteral("/Ramas.txt")));
    // Nothing of the copy's making is left beside the year folders.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("2023")});
}

// A file that cannot be read (here a link to nothing) stops the closing
// before any table changes; a year folder already there keeps its old copy.
TEST_F(YearEnd, AFailedArchiveChangesNoTableAndKeepsTheOlderYearFolder)
{
    YearFolderArchive::refresh(folder.path(), closingYear);
    folder.write(QStringLiteral("2023/Ramas.txt"), "din incercarea trecuta");
    ASSERT_TRUE(QFile::link(folder.file(QStringLiteral("NuExista.txt")),
                            folder.file(QStringLiteral("Legatura.txt"))));
    const QStringList before = dump(db);

    try {
        closeYear();
        ADD_FAILURE() << "the closing went on without its year folder";
    } catch (const IoError& e) {
        EXPECT_TRUE(e.text().startsWith(QStringLiteral("Nu pot salva baza de date in directorul ") +
                                        QDir::toNativeSeparators(yearFolder()) + QLatin1Char('\n')))
            << e.text().toStdString();
    }

    EXPECT_EQ(dump(db), before);
    EXPECT_TRUE(QFile::exists(yearFolder() + QStringLiteral("/Ramas.txt")));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("2023")});
}

namespace
{

struct Breakage {
    const char* name;
    const char* statement; // run before the closing
    const char* reason;    // part of the store's message
};

void PrintTo(const Breakage& breakage, std::ostream* out)
{
    *out << breakage.name;
}

class YearEndFailure : public YearEnd, public ::testing::WithParamInterface<Breakage>
{
};

} // namespace

// Whichever step fails, the year is closed whole or not at all.
TEST_P(YearEndFailure, LeavesTheDatabaseExactlyAsItWas)
{
    Sql::exec(db, QString::fromLatin1(GetParam().statement));
    const QStringList before = dump(db);

    try {
        closeYear();
        ADD_FAILURE() << "the closing did not fail";
    } catch (const UserError& e) {
        EXPECT_TRUE(e.text().startsWith(
            QStringLiteral("Anul 2023 NU a fost inchis: datele au ramas asa cum erau.\n")))
            << e.text().toStdString();
        EXPECT_TRUE(e.text().contains(QString::fromLatin1(GetParam().reason))) << e.text().toStdString();
    }

    EXPECT_EQ(dump(db), before);
    EXPECT_TRUE(Connection::isOpen());
}

INSTANTIATE_TEST_SUITE_P(
    Steps, YearEndFailure,
    ::testing::Values(
        Breakage{"SalaryOrders",
                 "CREATE TRIGGER refuz BEFORE DELETE ON CheltSal BEGIN SELECT RAISE(ABORT, "
                 "'ordin blocat'); END",
                 "ordin blocat"},
        Breakage{"SalaryLinesTableGone", "ALTER TABLE ItemsSal RENAME TO ItemsSalMutat", "ItemsSal"},
        Breakage{"Arrears",
                 "CREATE TRIGGER refuz BEFORE UPDATE OF Restanta ON Enoriasi WHEN NEW.Restanta IS "
                 "NOT NULL BEGIN SELECT RAISE(ABORT, 'restanta blocata'); END",
                 "restanta blocata"},
        Breakage{"WorkingYear",
                 "CREATE TRIGGER refuz BEFORE UPDATE OF An_lucru ON Parohia BEGIN SELECT "
                 "RAISE(ABORT, 'an blocat'); END",
                 "an blocat"}),
    [](const ::testing::TestParamInfo<Breakage>& info) { return std::string(info.param.name); });

TEST(YearFolderArchive, LeavesOutTheProgramTheManualThePhotoAndTheStatute)
{
    const struct {
        const char* name;
        bool archived;
    } cases[] = {
        {"BazaDate.sqlite", true},
        {"Configurari.ini", true},
        {"Lumivaret", false},
        {"HelpLumivaret.exe", false},
        {"poza.jpg", false},
        {"StatutulBOR.pdf", false},
        {"Poza.jpg", true} /* the tests are case-sensitive */,
        {"statutulbor.pdf", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(YearFolderArchive::isArchived(QString::fromLatin1(c.name)), c.archived) << c.name;
}
