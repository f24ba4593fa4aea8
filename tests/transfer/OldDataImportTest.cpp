#include "OldParish.h"

#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/Sql.h"
#include "journal/JournalStore.h"
#include "journal/JournalVerification.h"
#include "support/ProgramRun.h"
#include "support/TestFolder.h"
#include "transfer/ImportError.h"
#include "transfer/OldDataImport.h"
#include "db/ProtectionKeys.h"
#include "db/SealedFileLayer.h"
#include "year/DataProtection.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace OldTableFile;

namespace
{

class OldDataImportTest : public ::testing::Test
{
protected:
    OldDataImport::Outcome import(bool replace = false)
    {
        return OldDataImport(parish.path(), folder.path()).run(replace);
    }
    QStringList stored(const QString& statement, const QString& database = {})
    {
        return rowsOf(database.isEmpty() ? folder.databaseFile() : database, statement);
    }
    QStringList reportLines() { return textFileLines(folder.file(OldDataImport::reportFileName)); }
    // A working year that already holds one receipt.
    void workingYearWithDocuments()
    {
        folder.openWorkingYear();
        execOrFail(
            QStringLiteral("INSERT INTO Venituri (Nr_act, Data, Valoarea) VALUES (77, '2024-01-02', 5)"));
        Connection::close();
    }

    TestFolder folder;
    OldParish parish;
};

} // namespace

TEST_F(OldDataImportTest, EveryFieldTypeIsTakenAsStored)
{
    parish.write(QStringLiteral("Venituri.DB"),
                 {number("Nr_act"), date("Data"), alpha("Den_venit", 100), shortInt("Cod_venit"),
                  alpha("Den_enorias", 30), date("Data_registru"), money("Valoarea"), number("Nr_registru"),
                  logical("Anulat"), memo("Nota")},
                 {{12, QDate(2023, 3, 5), QStringLiteral("Lumânări"), 7, QStringLiteral("Ştefan Ţară"),
                   QDate(2023, 3, 6), 150.25, 3, true},
                  {-1.5,
                   QDate(2023, 4, 1),
                   {},
                   {},
                   QStringLiteral("şi ţuică ăîâ"),
                   QDate(1999, 12, 31),
                   -20.75,
                   {},
                   false},
                  {0, QDate(2023, 1, 1), QStringLiteral("Zero"), 0, {}, {}, 0.0, 0}});
    parish.write(QStringLiteral("Parohia.DB"), {alpha("Parohia", 30), longInt("An_lucru")},
                 {{QStringLiteral("Sf. Nicolae"), 2023}});
    parish.write(QStringLiteral("CheltSal.DB"), {autoInc("Id"), date("Data"), alpha("Explicatie", 100)},
                 {{5, QDate(2023, 1, 31), QStringLiteral("Ianuarie")},
                  {9, QDate(2023, 2, 28), QStringLiteral("Februarie")}});

    // The index and memo files beside it are never read.
    for (const char* beside : {"Venituri.MB", "Venituri.PX"}) {
        QFile garbage(parish.path() + QString::fromLatin1(beside));
        ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
        garbage.write(QByteArray(300, '\x7f'));
    }

    import();

    // An empty field is NULL, never 0 or a zero date; a stored zero stays 0.
    EXPECT_EQ(stored("SELECT Nr_act, Data, Den_venit, Cod_venit, Den_enorias, Data_registru, Valoarea, "
                     "Nr_registru, Cant_lumanari FROM Venituri ORDER BY rowid"),
              QStringList({"12|2023-03-05|Lumânări|7|Ştefan Ţară|2023-03-06|150.25|3|NULL",
                           "-1.5|2023-04-01|NULL|NULL|şi ţuică ăîâ|1999-12-31|-20.75|NULL|NULL",
                           "0|2023-01-01|Zero|0|NULL|NULL|0|0|NULL"}));
    EXPECT_EQ(stored("SELECT Parohia, An_lucru, Val_contributie FROM Parohia"),
              QStringList({"Sf. Nicolae|2023|NULL"}));
    EXPECT_EQ(stored("SELECT Id, Explicatie FROM CheltSal ORDER BY rowid"),
              QStringList({"5|Ianuarie", "9|Februarie"}));
    EXPECT_EQ(
        reportLines(),
        QStringList({"Parohia.DB: citite 1, preluate 1, refuzate 0",
                     "Venituri.DB: citite 3, preluate 3, refuzate 0", "  câmpul Anulat nu există în schemă",
                     "  câmpul Nota nu există în schemă", "CheltSal.DB: citite 2, preluate 2, refuzate 0"}));
}

TEST_F(OldDataImportTest, RowsTheSchemaCannotHoldAreRefusedAndReported)
{
    // The file's fields are wider than the schema's: a long integer for a
    // small one, 120 characters for 100.
    parish.write(QStringLiteral("Tip_venituri.DB"),
                 {longInt("Cod_venit"), alpha("Denumire", 100), alpha("Explicatie_venit", 120)},
                 {{1, QStringLiteral("Taxe"), QStringLiteral("prima")},
                  {1, QStringLiteral("Dublura"), QStringLiteral("a doua cu acelaşi cod")},
                  {2, QStringLiteral("Lung"), QString(101, QLatin1Char('x'))},
                  {40000, QStringLiteral("Mare"), {}},
                  {3, QStringLiteral("Bun"), QString(100, QChar(0x0163))},
                  {-32768, QStringLiteral("Cel mai mic"), {}}});
    parish.write(
        QStringLiteral("Stoc.DB"),
        {autoInc("ID"), alpha("Denumire", 255), number("Cantitate"), number("Pret")},
        {{1, QStringLiteral("Lumânări"), 10, 2.5}, {2, {}, 1, 1}, {1, QStringLiteral("Tămâie"), 1, 1}});
    // Dates and numbers no document can hold: past year 9999, before year 1,
    // infinite; and a document without a date, which no page of the books shows.
    parish.write(QStringLiteral("Depuneri.DB"), {number("Nr_doc"), date("Data"), money("Suma")},
                 {{1, QDate(2023, 5, 2), 100},
                  {2, QDate(10000, 1, 1), 100},
                  {3, QDate(-5, 1, 1), 100},
                  {4, QDate(2023, 5, 3), qInf()},
                  {5, QDate(2023, 5, 4), -qInf()},
                  {6, QVariant(), 50}});

    import();

    EXPECT_EQ(stored("SELECT Cod_venit, Denumire FROM Tip_venituri ORDER BY rowid"),
              QStringList({"1|Taxe", "3|Bun", "-32768|Cel mai mic"}));
    EXPECT_EQ(stored("SELECT ID, Denumire FROM Stoc"), QStringList({"1|Lumânări"}));
    const QStringList expected = {"Tip_venituri.DB: citite 6, preluate 3, refuzate 3",
                                  "  rândul 2: cheie duplicată",
                                  "  rândul 3: text prea lung",
                                  "  rândul 4: valoare în afara domeniului",
                                  "Depuneri.DB: citite 6, preluate 1, refuzate 5",
                                  "  rândul 2: valoare în afara domeniului",
                                  "  rândul 3: valoare în afara domeniului",
                                  "  rândul 4: valoare în afara domeniului",
                                  "  rândul 5: valoare în afara domeniului",
                                  "  rândul 6: câmp obligatoriu necompletat",
                                  "Stoc.DB: citite 3, preluate 1, refuzate 2",
                                  "  rândul 2: câmp obligatoriu necompletat",
                                  "  rândul 3: cheie duplicată"};
    EXPECT_EQ(reportLines(), expected);
    EXPECT_EQ(stored("SELECT Nr_doc, Data, Suma FROM Depuneri"), QStringList({"1|2023-05-02|100"}));
}

TEST_F(OldDataImportTest, EmptyMissingAndUnknownTables)
{
    parish.incomes(QStringLiteral("VENITURI.DB"), {{1, 10}});
    parish.write(QStringLiteral("Depuneri.DB"), {number("Nr_doc"), date("Data"), number("Suma")}, {});
    parish.write(QStringLiteral("Ani.DB"), {shortInt("Valoare")}, {{2021}, {2022}});
    parish.write(QStringLiteral("Altceva.DB"), {alpha("Ceva", 10)}, {{QStringLiteral("x")}});
    const QByteArray unknown = folderContents(parish.path()).value(QStringLiteral("Altceva.DB"));

    import();

    // A table without its file is empty, even one a new database is delivered with.
    EXPECT_EQ(stored("SELECT count(*) FROM Tip_doc"), QStringList({"0"}));
    EXPECT_EQ(stored("SELECT count(*) FROM Depuneri"), QStringList({"0"}));
    EXPECT_EQ(stored("SELECT Valoare FROM Ani ORDER BY rowid"), QStringList({"2021", "2022"}));
    EXPECT_EQ(stored("SELECT count(*) FROM sqlite_master WHERE name LIKE 'Altceva%'"), QStringList({"0"}));
    EXPECT_EQ(folderContents(parish.path()).value(QStringLiteral("Altceva.DB")), unknown);
    EXPECT_EQ(reportLines(), QStringList({"VENITURI.DB: citite 1, preluate 1, refuzate 0",
                                          "Depuneri.DB: citite 0, preluate 0, refuzate 0",
                                          "Ani.DB: citite 2, preluate 2, refuzate 0"}));
}

TEST_F(OldDataImportTest, YearFoldersBecomeClosedYears)
{
    parish.incomes(QStringLiteral("Venituri.DB"), {{1, 10}});
    parish.incomes(QStringLiteral("2022/Venituri.DB"), {{1, 22}, {2, 23}});
    parish.incomes(QStringLiteral("2021/Venituri.DB"), {{1, 21}});
    parish.incomes(QStringLiteral("Arhiva/Venituri.DB"), {{1, 99}});
    parish.incomes(QStringLiteral("20201/Venituri.DB"), {{1, 99}});
    // Neither a year folder without tables nor a year 0 is a closed year.
    QDir().mkpath(parish.path() + QStringLiteral("2019"));
    QFile scan(parish.path() + QStringLiteral("2019/scanare.txt"));
    ASSERT_TRUE(scan.open(QIODevice::WriteOnly));
    scan.close();
    parish.incomes(QStringLiteral("0000/Venituri.DB"), {{1, 99}});

    import();

    EXPECT_EQ(stored("SELECT Valoarea FROM Venituri"), QStringList({"10"}));
    EXPECT_EQ(stored("SELECT Valoarea FROM Venituri ORDER BY rowid", folder.file("2021/BazaDate.sqlite")),
              QStringList({"21"}));
    EXPECT_EQ(stored("SELECT Valoarea FROM Venituri ORDER BY rowid", folder.file("2022/BazaDate.sqlite")),
              QStringList({"22", "23"}));
    EXPECT_FALSE(QFile::exists(folder.file("Arhiva")));
    EXPECT_FALSE(QFile::exists(folder.file("20201")));
    EXPECT_FALSE(QFile::exists(folder.file("2019")));
    EXPECT_FALSE(QFile::exists(folder.file("0000")));
    EXPECT_EQ(reportLines(), QStringList({"Venituri.DB: citite 1, preluate 1, refuzate 0",
                                          "Anul 2021:", "Venituri.DB: citite 1, preluate 1, refuzate 0",
                                          "Anul 2022:", "Venituri.DB: citite 2, preluate 2, refuzate 0"}));
}

// With the parish's data protected, the databases the import writes are
// encrypted under the parish's password, like the one it puts aside.
TEST_F(OldDataImportTest, UnderProtectionTheImportedDatabasesAreEncrypted)
{
    workingYearWithDocuments();
    DataProtection::protect({folder.path(), {}}, "parola parohiei 1");
    const auto forget = qScopeGuard([] { ProtectionKeys::forgetAll(); });
    parish.incomes(QStringLiteral("Venituri.DB"), {{1, 10}});
    parish.incomes(QStringLiteral("2022/Venituri.DB"), {{1, 22}});

    import(true);

    EXPECT_EQ(stored("SELECT Valoarea FROM Venituri"), QStringList({"10"}));
    EXPECT_EQ(stored("SELECT Valoarea FROM Venituri", folder.file("2022/BazaDate.sqlite")), QStringList({"22"}));
    const QStringList files = DataProtection::databaseFiles({folder.path(), {}});
    EXPECT_EQ(files.size(), 3); // the working year, 2022 and the one put aside
    for (const QString& file : files)
        EXPECT_TRUE(SealedFileLayer::passwordOpens(file, "parola parohiei 1")) << file.toStdString();
}

TEST_F(OldDataImportTest, ADatabaseWithDocumentsIsReplacedOnlyWhenAskedAndKeptBeside)
{
    workingYearWithDocuments();
    parish.incomes(QStringLiteral("Venituri.DB"), {{1, 10}});
    const auto before = folderContents(folder.path());

    try {
        import(false);
        ADD_FAILURE() << "a database with documents was replaced unasked";
    } catch (const ImportError& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("are documente"))) << e.text().toStdString();
    }
    EXPECT_EQ(folderContents(folder.path()), before);

    const auto outcome = import(true);
    ASSERT_EQ(outcome.keptCopies.size(), 1);
    EXPECT_TRUE(QFileInfo(outcome.keptCopies.first())
                    .fileName()
                    .contains(QRegularExpression(
                        QStringLiteral("^BazaDate-inainte-de-import-\\d{8}-\\d{6}\\.sqlite$"))));
    EXPECT_EQ(stored("SELECT Nr_act FROM Venituri", outcome.keptCopies.first()), QStringList({"77"}));
    EXPECT_EQ(stored("SELECT Nr_act FROM Venituri"), QStringList({"1"}));
}

TEST_F(OldDataImportTest, ADamagedFileStopsTheImportAndChangesNothing)
{
    const struct {
        const char* what;
        std::function<void(QByteArray&)> damage;
        const char* message;
    } cases[] = {
        {"truncated", [](QByteArray& b) { b.chop(100); }, "este deteriorat"},
        {"lengthened", [](QByteArray& b) { b.append("garbage"); }, "este deteriorat"},
        {"not a table", [](QByteArray& b) { b.fill('\xff', 64); }, "Cheltuieli.DB"},
        // The library read the field descriptions of this one for minutes.
        {"field count beyond the header",
         [](QByteArray& b) {
             b[0x21] = '\x32';
             b[0x22] = '\xe3';
         },
         "descrierea campurilor"},
        // A number 4 bytes long, the text after it 4 longer: the number would be read from the text's bytes.
        {"field length not its type's",
         [](QByteArray& b) {
             b[0x79] = 4;
             b[0x7b] = char(104);
         },
         "descrierea campurilor"},
        // The library decrypted the blocks into garbage and followed their links forever.
        {"encrypted",
         [](QByteArray& b) {
             b.replace(0x25, 4, "\x00\xff\x00\xff");
             b[0x5D] = 0x5e;
         },
         "parola"},
        {"broken block chain",
         [](QByteArray& b) {
             const int headerSize = quint8(b[2]) | quint8(b[3]) << 8;
             b.replace(headerSize, 6, QByteArray(6, '\xff'));
         },
         "Cheltuieli.DB"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TestFolder programFolder;
        OldParish source;
        programFolder.openWorkingYear();
        Connection::close();
        source.incomes(QStringLiteral("Venituri.DB"), {{1, 10}});
        source.incomes(QStringLiteral("2022/Venituri.DB"), {{1, 10}});
        source.write(QStringLiteral("2022/Cheltuieli.DB"), {number("Nr_act"), alpha("Explicatie", 100)},
                     {{1, QStringLiteral("Plată")}, {2, QStringLiteral("Altă plată")}});
        QFile file(source.path() + QStringLiteral("2022/Cheltuieli.DB"));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        QByteArray bytes = file.readAll();
        c.damage(bytes);
        file.resize(0);
        file.seek(0);
        file.write(bytes);
        file.close();
        const auto before = folderContents(programFolder.path());

        try {
            OldDataImport(source.path(), programFolder.path()).run(true);
            ADD_FAILURE() << "a damaged file was imported";
        } catch (const ImportError& e) {
            EXPECT_TRUE(e.text().contains(QStringLiteral("Cheltuieli.DB"))) << e.text().toStdString();
            EXPECT_TRUE(e.text().contains(QString::fromUtf8(c.message))) << e.text().toStdString();
        }
        EXPECT_EQ(folderContents(programFolder.path()), before);
    }
}

TEST_F(OldDataImportTest, AFolderWithoutTablesIsRefused)
{
    parish.write(QStringLiteral("Altceva.DB"), {alpha("Ceva", 10)}, {});
    EXPECT_TRUE(OldDataImport(parish.path(), folder.path()).folderProblem().contains("nu contine tabele"));
    EXPECT_TRUE(OldDataImport(parish.path() + "lipsa", folder.path()).folderProblem().contains("nu exista"));
    EXPECT_THROW(import(true), ImportError);
    EXPECT_FALSE(QFile::exists(folder.databaseFile()));
}

TEST_F(OldDataImportTest, ReadOnlyTablesAreImported)
{
    // As copied from a read-only disk: neither the files nor their folder may be written.
    parish.incomes(QStringLiteral("Venituri.DB"), {{1, 10}, {2, 20}});
    const QString table = parish.path() + QStringLiteral("Venituri.DB");
    const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(table, readOnly));
    const QByteArray before = folderContents(parish.path()).value(QStringLiteral("Venituri.DB"));

    import();

    EXPECT_EQ(stored("SELECT Nr_act, Valoarea FROM Venituri ORDER BY rowid"), QStringList({"1|10", "2|20"}));
    EXPECT_EQ(folderContents(parish.path()).value(QStringLiteral("Venituri.DB")), before);
    QFile::setPermissions(table, readOnly | QFileDevice::WriteOwner);
}

// The rows brought in are one entry of the journal of changes, at the
// database's first opening: it says where they came from, and they are its
// baseline (the journal verifies whole).
TEST_F(OldDataImportTest, TheImportedRowsAreTheJournalsStart)
{
    parish.write(QStringLiteral("Venituri.DB"), {number("Nr_act"), date("Data"), money("Valoarea")},
                 {{12, QDate(2023, 3, 5), 150.25}, {13, QDate(2023, 3, 6), 20.0}});
    import();
    Connection::open(folder.databaseFile());
    const QList<JournalEntry> entries = [] {
        QList<JournalEntry> all;
        JournalStore::readAll(Connection::database(), [&](const JournalEntry& e) { all << e; });
        return all;
    }();
    ASSERT_FALSE(entries.isEmpty());
    EXPECT_EQ(entries.first().action, JournalAction::start);
    EXPECT_EQ(entries.first().note,
              QStringLiteral("Datele au fost aduse din tabelele programului vechi; jurnalul modificarilor incepe aici."));
    EXPECT_EQ(std::count_if(entries.begin(), entries.end(), [](const JournalEntry& e) {
                  return e.table == QStringLiteral("Venituri");
              }),
              1)
        << "one baseline for the table, not one entry per row";
    EXPECT_EQ(JournalVerification::run(Connection::database()).text(),
              QStringLiteral("Jurnalul este intreg: %1 inregistrari").arg(entries.size()));
}
