#include "JournalFixture.h"

#include "db/Connection.h"
#include "db/Sql.h"
#include "journal/JournalStore.h"
#include "journal/JournalVerification.h"

namespace
{

struct Tampering {
    const char* name;
    // Statements run with SQLite's own connection, as with the sqlite3 shell.
    const char* statements;
    // A line of the verdict that names what was done.
    const char* found;
};

class Verification : public JournalFixture, public ::testing::WithParamInterface<Tampering>
{
protected:
    // Three receipts and a parishioner typed through the program, one receipt changed.
    void typeSomeBooks()
    {
        for (int number = 1; number <= 3; ++number)
            store(QStringLiteral("Venituri"), {{QStringLiteral("Nr_act"), number},
                                               {QStringLiteral("Data"), QDate(2024, 3, number)},
                                               {QStringLiteral("Valoarea"), 100 * number},
                                               {QStringLiteral("Cont"), QStringLiteral("Casa")}});
        change(QStringLiteral("Venituri"), QStringLiteral("Nr_act"), 2, {{QStringLiteral("Valoarea"), 250}});
        store(QStringLiteral("Enoriasi"), {{QStringLiteral("Cod_enorias"), QStringLiteral("P9")},
                                           {QStringLiteral("Nume_prenume"), QStringLiteral("Ionescu Maria")},
                                           {QStringLiteral("Tip_contributie"), QStringLiteral("Familie")}});
    }
};

} // namespace

TEST_P(Verification, FindsWhatWasDoneOutsideTheProgram)
{
    typeSomeBooks();
    const JournalVerification whole = JournalVerification::run(db);
    ASSERT_TRUE(whole.isWhole()) << whole.text().toStdString();
    Connection::close();
    behindTheProgram(QString::fromUtf8(GetParam().statements));
    Connection::open(folder.databaseFile());

    const JournalVerification verdict = JournalVerification::run(Connection::database());
    EXPECT_FALSE(verdict.isWhole());
    EXPECT_TRUE(verdict.problems.contains(QString::fromUtf8(GetParam().found))) << verdict.text().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Tamperings, Verification,
    ::testing::Values(
        Tampering{"RowChanged", "UPDATE Venituri SET Valoarea = 1 WHERE Nr_act = 2",
                  "Tabela Venituri: documentul nr. 2 din 02.03.2024 a fost modificat in afara programului."},
        Tampering{"RowAdded",
                  "INSERT INTO Venituri (Nr_act, Data, Valoarea) VALUES (4, '2024-03-04', 50)",
                  "Tabela Venituri: documentul nr. 4 din 04.03.2024 a fost adaugat in afara programului."},
        Tampering{"RowDeleted", "DELETE FROM Venituri WHERE Nr_act = 1",
                  "Tabela Venituri: documentul nr. 1 din 01.03.2024 a fost sters in afara programului."},
        Tampering{"CatalogueRowChanged", "UPDATE Enoriasi SET Nume_prenume = 'Altcineva' WHERE Cod_enorias = 'P9'",
                  "Tabela Enoriasi: randul cu Cod_enorias P9 a fost modificat in afara programului."},
        Tampering{"DeliveredRowChanged", "UPDATE Tip_venituri SET Denumire = 'Alta' WHERE Cod_venit = 2",
                  "Tabela Tip_venituri: randul cu Cod_venit 2 a fost modificat in afara programului."},
        Tampering{"EntryChanged",
                  "UPDATE Jurnal SET Utilizator = 'altcineva' WHERE Nr = (SELECT max(Nr) - 2 FROM Jurnal)",
                  "Inregistrarea nr. 21 a jurnalului (Venituri, adaugare) a fost modificata in afara programului."},
        Tampering{"EntryDeleted", "DELETE FROM Jurnal WHERE Nr = (SELECT max(Nr) - 2 FROM Jurnal)",
                  "Inregistrarea nr. 21 a jurnalului a fost stearsa in afara programului."},
        Tampering{"LastEntryDeleted", "DELETE FROM Jurnal WHERE Nr = (SELECT max(Nr) FROM Jurnal)",
                  "Inregistrarea nr. 23 a jurnalului a fost stearsa in afara programului."},
        Tampering{"EntryInserted",
                  "INSERT INTO Jurnal (Nr, Moment, Utilizator, Calculator, Tabela, RandId, Cheie, DataDoc, Actiune, "
                  "Nota, Valori, AmprentaRand, HashAnterior, Hash) SELECT Nr + 1, Moment, Utilizator, Calculator, "
                  "Tabela, RandId, Cheie, DataDoc, Actiune, Nota, Valori, AmprentaRand, Hash, Hash FROM Jurnal "
                  "WHERE Nr = (SELECT max(Nr) FROM Jurnal)",
                  "Inregistrarea nr. 24 a jurnalului (Enoriasi, adaugare) a fost adaugata in afara programului."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(JournalFixture, ADatabaseWithoutAJournalStartsOneAtItsFirstOpening)
{
    Connection::close();
    behindTheProgram(QStringLiteral("DROP TABLE Jurnal; DROP TABLE JurnalCap; DROP TABLE Blocare; "
                                    "INSERT INTO Venituri (Nr_act, Data, Valoarea) VALUES (1, '2024-01-02', 10)"));
    Connection::open(folder.databaseFile());
    const QList<JournalEntry> all = entries();
    ASSERT_FALSE(all.isEmpty());
    EXPECT_EQ(all.first().action, JournalAction::start);
    EXPECT_TRUE(all.first().note.contains(QStringLiteral("incepe aici")));
    EXPECT_TRUE(JournalVerification::run(Connection::database()).isWhole())
        << "the rows found are the journal's baseline";
}
