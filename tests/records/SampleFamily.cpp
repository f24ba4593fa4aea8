#include "SampleFamily.h"

#include "ParishRecords.h"
#include "db/Dataset.h"
#include "db/Sql.h"
#include "journal/ChangeJournal.h"
#include "journal/WatchedTables.h"
#include "support/Documents.h"

#include <QDate>
#include <gtest/gtest.h>

namespace
{

void storeReceipt(double number, const QDate& date, const QString& code, const QString& name,
                  const QString& explanation, double amount)
{
    Dataset rows(QStringLiteral("Venituri"));
    rows.open();
    ASSERT_TRUE(rows.append());
    rows.setValue(QStringLiteral("Nr_act"), number);
    rows.setValue(QStringLiteral("Data"), date);
    rows.setValue(QStringLiteral("Cod_venit"), 1);
    rows.setValue(QStringLiteral("Den_venit"), QStringLiteral("Contributii"));
    if (!code.isEmpty())
        rows.setValue(QStringLiteral("Cod_enorias"), code);
    rows.setValue(QStringLiteral("Den_enorias"), name);
    rows.setValue(QStringLiteral("Explicatie"), explanation);
    rows.setValue(QStringLiteral("Valoarea"), amount);
    rows.setValue(QStringLiteral("Cont"), QStringLiteral("Casa"));
    rows.setValue(QStringLiteral("Fel"), QStringLiteral("CHIT"));
    ASSERT_TRUE(rows.post());
}

void changeRow(const QString& table, const QString& field, const QVariant& value, const QString& changed,
               const QVariant& to)
{
    Dataset rows(table);
    rows.open();
    ASSERT_TRUE(rows.locate(field, {value}));
    ASSERT_TRUE(rows.edit());
    rows.setValue(changed, to);
    ASSERT_TRUE(rows.post());
}

} // namespace

namespace SampleFamily
{

const QStringList& peoplesNames()
{
    static const QStringList names{name, memberName, QStringLiteral("Popescu Gheorghe"),
                                   QStringLiteral("Ana Vladimirescu"), QStringLiteral("Popescu Luca")};
    return names;
}

const QStringList& personalWords()
{
    static const QStringList words{QStringLiteral("popescu"), QStringLiteral("trandafirilor"),
                                   QStringLiteral("crinului"), QStringLiteral("cotnari"),
                                   QStringLiteral("vladimirescu")};
    return words;
}

void write(const QSqlDatabase& db)
{
    using namespace ParishRecords;
    Documents::setYear(db, 2024, 100, 0);
    addParishioner(db, code, name, QStringLiteral("Crinului"), QStringLiteral("7"));
    addMember(db, code, name, QDate(1970, 5, 1));
    addMember(db, code, memberName, QDate(1972, 3, 9));
    addBaptism(db, code, 3, QDate(2024, 3, 1), QStringLiteral("Popescu Luca"));
    addMarriage(db, code, 4, QDate(2024, 6, 2), name);
    Sql::exec(db, QStringLiteral(
                      "UPDATE Cununii SET Nume_mireasa = 'Ana Vladimirescu', Observatii = 'din Cotnari'"));
    Sql::exec(
        db, QStringLiteral("INSERT INTO Inmormantari (Cod_enorias, Numar, Data, Nume_decedat, Varsta, "
                           "Cauza_mortii, Observatii) VALUES ('P1', 5, '2024-07-03', 'Popescu Gheorghe', 88, "
                           "'batranete', 'nascut la Cotnari')"));
    Sql::exec(db, QStringLiteral("INSERT INTO Activitati (Cod_enorias, Data, Explicatie) "
                                 "VALUES ('P1', '2024-01-06', 'Sfestanie la Popescu Ion')"));
    addParishioner(db, QStringLiteral("A7"), otherName);
    addMember(db, QStringLiteral("A7"), otherName, QDate(1980, 1, 2));
    Sql::exec(db, QStringLiteral(
                      "INSERT INTO Venituri (Nr_act, Data, Cod_venit, Den_venit, Cod_enorias, Den_enorias, "
                      "Explicatie, Valoarea, Cont, Fel) VALUES (1, '2024-02-01', 1, 'Contributii', 'A7', "
                      "'Avram Elena', 'Contributie Avram Elena', 50, 'Casa', 'CHIT')"));
    ChangeJournal::recordSummary(db, QStringLiteral("Datele de proba"), WatchedTables::names());

    storeReceipt(10, QDate(2024, 3, 5), code, name, QStringLiteral("Contributie Popescu Ion"), 120);
    storeReceipt(11, QDate(2024, 4, 10), {}, memberName, QStringLiteral("Donatie"), 30.5);
    changeRow(QStringLiteral("Venituri"), QStringLiteral("Nr_act"), 10, QStringLiteral("Explicatie"),
              QStringLiteral("Contributie anuala Popescu Ion"));
    storeReceipt(13, QDate(2024, 5, 20), code, {}, QStringLiteral("Lumanari"), 15);
    storeReceipt(14, QDate(2024, 5, 2), QStringLiteral("A7"), otherName,
                 QStringLiteral("Pomelnic pentru Popescu Gheorghe si Ana Vladimirescu"), 20);
    storeReceipt(12, QDate(2024, 4, 11), code, name, QStringLiteral("Gresit"), 99);
    {
        Dataset rows(QStringLiteral("Venituri"));
        rows.open();
        ASSERT_TRUE(rows.locate(QStringLiteral("Nr_act"), {12}));
        rows.remove();
    }
    changeRow(QStringLiteral("Enoriasi"), QStringLiteral("Cod_enorias"), code, QStringLiteral("Strada"),
              QStringLiteral("Trandafirilor"));
}

QStringList wordsIn(const QByteArray& bytes, const QStringList& words)
{
    const QByteArray lower = bytes.toLower();
    QStringList found;
    for (const QString& w : words)
        if (lower.contains(w.toUtf8()))
            found << w;
    return found;
}

} // namespace SampleFamily
