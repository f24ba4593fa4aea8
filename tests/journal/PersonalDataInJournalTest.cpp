#include "JournalFixture.h"

#include "db/Connection.h"
#include "db/Sql.h"
#include "journal/ChangeJournal.h"
#include "journal/JournalBlanking.h"
#include "journal/JournalVerification.h"
#include "journal/PersonalFields.h"
#include "support/ProgramRun.h"

#include <QFile>

namespace
{

QVariantMap receiptOf(double number, const QString& name, double amount)
{
    return {{QStringLiteral("Nr_act"), number},
            {QStringLiteral("Data"), QDate(2024, 3, 5)},
            {QStringLiteral("Cod_venit"), 1},
            {QStringLiteral("Den_enorias"), name},
            {QStringLiteral("Valoarea"), amount},
            {QStringLiteral("Cont"), QStringLiteral("Casa")},
            {QStringLiteral("Explicatie"), QStringLiteral("Contributie")}};
}

// The values of a field in the entries of a row, in order; "-" for a blanked one.
QStringList valuesOf(const QList<JournalEntry>& entries, qint64 rowid, const QString& field)
{
    QStringList values;
    for (const JournalEntry& e : entries)
        if (e.table == QStringLiteral("Venituri") && e.rowid == rowid)
            for (const JournalValue& v : e.values)
                if (v.field == field)
                    values << (v.isBlanked() ? QStringLiteral("-") : v.value);
    return values;
}

} // namespace

using PersonalDataInJournal = JournalFixture;

// The CSV of the journal names no one unless asked; the amounts stay.
TEST_F(PersonalDataInJournal, TheCsvShowsNamesAndAddressesOnlyWhenAsked)
{
    store(QStringLiteral("Enoriasi"), {{QStringLiteral("Cod_enorias"), QStringLiteral("P1")},
                                       {QStringLiteral("Nume_prenume"), QStringLiteral("Popescu Ion")},
                                       {QStringLiteral("Strada"), QStringLiteral("Crinului")},
                                       {QStringLiteral("Tip_contributie"), QStringLiteral("Intreaga")}});
    store(QStringLiteral("Venituri"), receiptOf(1, QStringLiteral("Popescu Ion"), 150));
    Connection::close();
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    const auto csvLines = [&](const QStringList& extra) {
        const QString csv = folder.file(QStringLiteral("jurnal.csv"));
        QFile::remove(csv);
        const ProgramOutcome r = runProgram(QStringLiteral(LUMIVARET_EXECUTABLE),
                                            QStringList{"--folder", folder.path(), "--report", "jurnal",
                                                        "--from", today, "--to", today, "--csv", csv} +
                                                extra);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return textFileLines(csv).join(QLatin1Char('\n'));
    };
    const QString hidden = csvLines({});
    EXPECT_FALSE(hidden.contains(QStringLiteral("Popescu"))) << hidden.toStdString();
    EXPECT_FALSE(hidden.contains(QStringLiteral("Crinului")));
    EXPECT_TRUE(hidden.contains(QStringLiteral("Nume_prenume: (date personale)"))) << hidden.toStdString();
    EXPECT_TRUE(hidden.contains(QStringLiteral("Den_enorias: (date personale)")));
    EXPECT_TRUE(hidden.contains(QStringLiteral("Valoarea: 150,00")));
    EXPECT_TRUE(hidden.contains(QStringLiteral("Explicatie: Contributie")));

    const QString shown = csvLines({"--with-personal-data"});
    EXPECT_TRUE(shown.contains(QStringLiteral("Nume_prenume: Popescu Ion"))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("Strada: Crinului")));
    EXPECT_EQ(QString(shown)
                  .replace(QStringLiteral("Popescu Ion"), PersonalFields::hiddenText)
                  .replace(QStringLiteral("Crinului"), PersonalFields::hiddenText),
              hidden);

    const ProgramOutcome other =
        runProgram(QStringLiteral(LUMIVARET_EXECUTABLE),
                   {"--folder", folder.path(), "--report", "registru-casa", "--csv",
                    folder.file(QStringLiteral("casa.csv")), "--with-personal-data"});
    EXPECT_EQ(other.exitCode, 2);
    EXPECT_EQ(other.err.trimmed(), QStringLiteral("Raportul registru-casa nu are date personale de inclus"));
}

// A row identity freed by a deletion and taken by another person's receipt:
// each life of the row is blanked only when it is the person's.
TEST_F(PersonalDataInJournal, BlankingFollowsTheLifeOfARowNotItsIdentity)
{
    store(QStringLiteral("Venituri"), receiptOf(1, QStringLiteral("Popescu Ion"), 150));
    const qint64 rowid = lastEntry().rowid;
    remove(QStringLiteral("Venituri"), QStringLiteral("Nr_act"), 1);
    store(QStringLiteral("Venituri"), receiptOf(2, QStringLiteral("Avram Elena"), 70));
    ASSERT_EQ(lastEntry().rowid, rowid) << "the identity is taken again";
    const QString field = QStringLiteral("Den_enorias");

    const struct {
        const char* name;
        QString person;           // the name that makes a life the person's
        QSet<qint64> currentRows; // the person's rows as stored now
        QStringList expected;     // the field's values in the row's entries, in order
    } cases[] = {
        {"the deleted receipt's name", QStringLiteral("Popescu Ion"), {}, {"-", "-", "tAvram Elena"}},
        {"the current receipt", QStringLiteral("nimeni"), {rowid}, {"-", "-", "-"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        JournalBlanking::blank(
            db, QStringLiteral("Venituri"), {field},
            [&](const QString& f, const QString& text) { return f == field && text == c.person; },
            c.currentRows);
        EXPECT_EQ(valuesOf(entries(), rowid, field).join('|').toStdString(),
                  c.expected.join('|').toStdString());
        const JournalVerification verification = JournalVerification::run(db);
        EXPECT_TRUE(verification.isWhole()) << verification.text().toStdString();
    }
}

// Rows taken in bulk (a restore) may put another receipt under the identity of
// the person's: its later changes are not the person's.
TEST_F(PersonalDataInJournal, ABaselineEndsTheLivesOfTheRowsBeforeIt)
{
    store(QStringLiteral("Venituri"), receiptOf(1, QStringLiteral("Popescu Ion"), 150));
    const qint64 rowid = lastEntry().rowid;
    Sql::execPositional(
        db, QStringLiteral("UPDATE Venituri SET Nr_act = 2, Den_enorias = 'Avram Elena' WHERE rowid = ?"),
        {rowid});
    ChangeJournal::recordSummary(db, QStringLiteral("Restaurare"), {QStringLiteral("Venituri")});
    change(QStringLiteral("Venituri"), QStringLiteral("Nr_act"), 2,
           {{QStringLiteral("Den_enorias"), QStringLiteral("Avram Elena Maria")}});
    const QString field = QStringLiteral("Den_enorias");

    JournalBlanking::blank(db, QStringLiteral("Venituri"), {field},
                           [&](const QString& f, const QString& text) {
                               return f == field && text == QStringLiteral("Popescu Ion");
                           },
                           {});
    EXPECT_EQ(valuesOf(entries(), rowid, field).join('|').toStdString(), "-|tAvram Elena|tAvram Elena Maria");
    const JournalVerification verification = JournalVerification::run(db);
    EXPECT_TRUE(verification.isWhole()) << verification.text().toStdString();
}
