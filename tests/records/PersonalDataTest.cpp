#include "SampleFamily.h"

#include "core/Utilities.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Sql.h"
#include "journal/DeletedDocuments.h"
#include "journal/JournalStore.h"
#include "journal/JournalVerification.h"
#include "journal/PeriodLock.h"
#include "records/PersonAnonymisation.h"
#include "records/PersonalDataExport.h"
#include "support/FolderContents.h"
#include "support/PdfPages.h"
#include "support/ProgramRun.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace
{

class PersonalData : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db = folder.openWorkingYear();
        SampleFamily::write(db);
    }

    QByteArray databaseBytes() const
    {
        QFile file(folder.databaseFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The first column of every row, one row a line.
    std::string column(const QString& statement) const
    {
        QStringList values;
        QSqlQuery query = Sql::exec(db, statement);
        while (query.next())
            values << query.value(0).toString();
        return values.join(QLatin1Char('\n')).toStdString();
    }

    TestFolder folder;
    ScriptedDialogs dialogs;
    QSqlDatabase db;
};

TEST_F(PersonalData, AnonymisationErasesTheFamilyFromTheRecordsTheReceiptsTheJournalAndTheFile)
{
    ASSERT_EQ(SampleFamily::wordsIn(databaseBytes(), SampleFamily::personalWords()).size(),
              SampleFamily::personalWords().size());

    // SQLite as some desktops build it leaves freed space as it was: the erasure must not count on the build.
    Sql::scalar(db, QStringLiteral("PRAGMA secure_delete = 0"));
    PersonAnonymisation::run(db, SampleFamily::code);
    EXPECT_EQ(Sql::scalar(db, QStringLiteral("PRAGMA secure_delete")).toInt(), 0);

    EXPECT_EQ(
        column("SELECT Nume_prenume || '|' || ifnull(Strada, '') || '|' || ifnull(Nr, '') FROM Enoriasi "
               "ORDER BY Cod_enorias"),
        "Avram Elena|Florilor|3\nANONIM-P1||");
    EXPECT_EQ(column("SELECT Numele || '|' || Data_nasterii || '|' || ifnull(Religia, '') FROM MembriiFam "
                     "ORDER BY Cod_enorias, rowid"),
              "Avram Elena|1980-01-02|Ortodoxa\nANONIM-P1-1|1970-05-01|\nANONIM-P1-2|1972-03-09|");
    EXPECT_EQ(column("SELECT Nume_prunc || '|' || Numar || '|' || Data FROM Botezuri"),
              "ANONIM-P1|3.0|2024-03-01");
    EXPECT_EQ(column("SELECT Nume_mire || '|' || Nume_mireasa || '|' || ifnull(Observatii, '') FROM Cununii"),
              "ANONIM-P1|ANONIM-P1|");
    EXPECT_EQ(
        column("SELECT Nume_decedat || '|' || Varsta || '|' || ifnull(Cauza_mortii, '') FROM Inmormantari"),
        "ANONIM-P1|88.0|");
    EXPECT_EQ(column("SELECT Data || '|' || ifnull(Explicatie, '') FROM Activitati"), "2024-01-06|");
    // The receipts keep their numbers, dates and amounts; the name is replaced inside the explanation.
    EXPECT_EQ(
        column(
            "SELECT Nr_act || '|' || Data || '|' || ifnull(Cod_enorias, '') || '|' || "
            "ifnull(Den_enorias, '') || '|' || Explicatie || '|' || Valoarea FROM Venituri ORDER BY Nr_act"),
        "1.0|2024-02-01|A7|Avram Elena|Contributie Avram Elena|50.0\n"
        "10.0|2024-03-05|P1|ANONIM-P1|Contributie anuala ANONIM-P1|120.0\n"
        "11.0|2024-04-10||ANONIM-P1|Donatie|30.5\n"
        "13.0|2024-05-20|P1||Lumanari|15.0\n"
        "14.0|2024-05-02|A7|Avram Elena|Pomelnic pentru ANONIM-P1 si ANONIM-P1|20.0");

    // The journal still verifies, and none of its entries nor deleted documents holds the family's values.
    const JournalVerification verification = JournalVerification::run(db);
    EXPECT_TRUE(verification.isWhole()) << verification.text().toStdString();
    int blanked = 0;
    JournalStore::readAll(db, [&](const JournalEntry& e) {
        for (const JournalValue& v : e.values) {
            EXPECT_FALSE(v.value.contains(QStringLiteral("Popescu")))
                << e.number << " " << v.field.toStdString();
            blanked += v.isBlanked();
        }
        EXPECT_FALSE(e.note.contains(QStringLiteral("Popescu")));
    });
    EXPECT_GT(blanked, 0);
    // The other family's receipt that named this one keeps its own parishioner in the journal.
    int otherFamilys = 0;
    JournalStore::readAll(db, [&](const JournalEntry& e) {
        for (const JournalValue& v : e.values)
            otherFamilys +=
                v.field == QStringLiteral("Den_enorias") && v.value == QStringLiteral("tAvram Elena");
    });
    EXPECT_EQ(otherFamilys, 1);
    const QList<DeletedDocument> deleted = DeletedDocuments::list(db);
    ASSERT_EQ(deleted.size(), 1);
    EXPECT_EQ(deleted[0].number, QStringLiteral("12"));
    EXPECT_EQ(deleted[0].value(QStringLiteral("Den_enorias")), QString());
    EXPECT_EQ(deleted[0].value(QStringLiteral("Valoarea")), QStringLiteral("r99.0"));
    EXPECT_EQ(JournalStore::head(db).count, verification.entries);
    bool summarised = false;
    JournalStore::readAll(db, [&](const JournalEntry& e) {
        summarised = summarised ||
                     (e.action == JournalAction::summary && e.note.contains(QStringLiteral("ANONIM-P1")));
    });
    EXPECT_TRUE(summarised);

    // The search finds the receipts by the new name only.
    const auto found = [&](const QString& words) {
        return Sql::scalar(db, QStringLiteral("SELECT count(*) FROM Cautare WHERE Cautare MATCH :w"),
                           {{":w", words}})
            .toInt();
    };
    EXPECT_EQ(found(QStringLiteral("popescu")), 0);
    EXPECT_EQ(found(QStringLiteral("mariana")), 0);
    EXPECT_EQ(found(QStringLiteral("anonim")), 4);
    EXPECT_EQ(found(QStringLiteral("avram")), 2);

    // Nor does the file keep them anywhere, its freed pages included.
    Connection::close();
    const QByteArray bytes = databaseBytes();
    EXPECT_EQ(SampleFamily::wordsIn(bytes, SampleFamily::personalWords()).join(' ').toStdString(), "");
    EXPECT_EQ(SampleFamily::wordsIn(bytes, {QStringLiteral("avram elena")}).size(), 1);
}

TEST_F(PersonalData, AFamilyWithAReceiptInTheLockedPeriodIsRefusedWithTheLocksMessageAndNothingChanges)
{
    PeriodLock::setDate(db, QDate(2024, 3, 31));
    const QMap<QString, QByteArray> before = folderContents(folder.path());
    try {
        PersonAnonymisation::run(db, SampleFamily::code);
        FAIL() << "anonymised within the locked period";
    } catch (const DbError& refusal) {
        EXPECT_TRUE(refusal.text().startsWith(PeriodLock::refusal(QDate(2024, 3, 31), RowAction::Update)))
            << refusal.text().toStdString();
    }
    EXPECT_EQ(folderContents(folder.path()), before);

    // The family with no receipt that early is anonymised.
    PeriodLock::setDate(db, QDate(2024, 3, 4));
    PersonAnonymisation::run(db, SampleFamily::code);
    EXPECT_EQ(Sql::scalar(db, "SELECT Nume_prenume FROM Enoriasi WHERE Cod_enorias = 'P1'").toString(),
              QStringLiteral("ANONIM-P1"));
}

TEST_F(PersonalData, AnUnknownCodeIsRefusedByName)
{
    for (const auto& attempt : QList<std::function<void()>>{
             [&] { PersonAnonymisation::run(db, QStringLiteral("ZZ")); },
             [&] { PersonalDataExport::writeJson(db, QStringLiteral("ZZ"), folder.file("zz.json")); }}) {
        try {
            attempt();
            ADD_FAILURE() << "an unknown code was taken";
        } catch (const DbError& refusal) {
            EXPECT_EQ(refusal.text(), QStringLiteral("Codul ZZ nu exista in catalogul enoriasilor."));
        }
    }
    EXPECT_FALSE(QFile::exists(folder.file("zz.json")));
}

TEST_F(PersonalData, TheExportHoldsEveryRecordAndReceiptOfTheFamilyAndLeavesOnlyItsTwoFiles)
{
    const QString exportFolder = folder.file(QStringLiteral("cerere"));
    ASSERT_TRUE(QDir().mkpath(exportFolder));
    const QString json = exportFolder + QStringLiteral("/date.json");
    const QString pdf = exportFolder + QStringLiteral("/date.pdf");
    PersonalDataExport::writeJson(db, SampleFamily::code, json);
    PersonalDataExport::writePdf(db, SampleFamily::code, pdf);
    EXPECT_EQ(QDir(exportFolder)
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                  .join(' ')
                  .toStdString(),
              "date.json date.pdf");

    QFile file(json);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QJsonParseError error;
    const QJsonObject all = QJsonDocument::fromJson(file.readAll(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError);
    EXPECT_EQ(all.value("cod").toString(), QStringLiteral("P1"));
    const auto rows = [&](const char* table) { return all.value(QLatin1String(table)).toArray(); };
    ASSERT_EQ(rows("Enoriasi").size(), 1);
    EXPECT_EQ(rows("Enoriasi")[0].toObject().value("Nume_prenume").toString(), SampleFamily::name);
    EXPECT_EQ(rows("Enoriasi")[0].toObject().value("Strada").toString(), QStringLiteral("Trandafirilor"));
    ASSERT_EQ(rows("MembriiFam").size(), 2);
    EXPECT_EQ(rows("MembriiFam")[1].toObject().value("Numele").toString(), SampleFamily::memberName);
    EXPECT_EQ(rows("MembriiFam")[1].toObject().value("Data_nasterii").toString(),
              QStringLiteral("1972-03-09"));
    ASSERT_EQ(rows("Botezuri").size(), 1);
    EXPECT_EQ(rows("Botezuri")[0].toObject().value("Numar"), QJsonValue(3));
    ASSERT_EQ(rows("Cununii").size(), 1);
    EXPECT_EQ(rows("Cununii")[0].toObject().value("Varsta_mireasa"), QJsonValue(24.5));
    ASSERT_EQ(rows("Inmormantari").size(), 1);
    EXPECT_EQ(rows("Inmormantari")[0].toObject().value("Nume_decedat").toString(),
              QStringLiteral("Popescu Gheorghe"));
    EXPECT_EQ(rows("Inmormantari")[0].toObject().value("Profesia"), QJsonValue(QJsonValue::Null));
    ASSERT_EQ(rows("Activitati").size(), 1);
    // The receipts with its code or one of its names; the other family's own and the deleted one are not
    // there.
    const QJsonArray receipts = rows("Venituri");
    ASSERT_EQ(receipts.size(), 4);
    EXPECT_EQ(receipts[0].toObject().value("Nr_act"), QJsonValue(10));
    EXPECT_EQ(receipts[0].toObject().value("Data").toString(), QStringLiteral("2024-03-05"));
    EXPECT_EQ(receipts[0].toObject().value("Valoarea"), QJsonValue(120));
    EXPECT_EQ(receipts[1].toObject().value("Den_enorias").toString(), SampleFamily::memberName);
    EXPECT_EQ(receipts[1].toObject().value("Valoarea"), QJsonValue(30.5));
    EXPECT_EQ(receipts[2].toObject().value("Explicatie").toString(),
              QStringLiteral("Pomelnic pentru Popescu Gheorghe si Ana Vladimirescu"));
    EXPECT_EQ(receipts[3].toObject().value("Nr_act"), QJsonValue(13));

    QStringList texts;
    for (const PdfPage& page : readPdfPages(pdf))
        texts << page.texts;
    const QString printed = texts.join(QLatin1Char('|'));
    for (const QString& expected :
         {SampleFamily::name, SampleFamily::memberName, QStringLiteral("Popescu Gheorghe"),
          QStringLiteral("Contributie anuala Popescu Ion"), QStringLiteral("Trandafirilor")})
        EXPECT_TRUE(printed.contains(expected))
            << expected.toStdString() << " not in " << printed.toStdString();
    EXPECT_FALSE(printed.contains(QStringLiteral("Contributie Avram Elena")));

    // A file that cannot be written is said so, and nothing is left of it.
    const QString unwritable = folder.file(QStringLiteral("lipsa/date.json"));
    try {
        PersonalDataExport::writeJson(db, SampleFamily::code, unwritable);
        ADD_FAILURE() << "written into a missing folder";
    } catch (const IoError& failure) {
        EXPECT_TRUE(
            failure.text().startsWith(QStringLiteral("Fisierul %1 nu a putut fi scris").arg(unwritable)))
            << failure.text().toStdString();
    }
    EXPECT_FALSE(QDir(folder.file(QStringLiteral("lipsa"))).exists());
}

} // namespace
