#include "records/PersonAnonymisation.h"

#include "db/DbError.h"
#include "db/DocumentSearchIndex.h"
#include "db/RowChanges.h"
#include "db/Sql.h"
#include "db/Transaction.h"
#include "db/WorkTable.h"
#include "journal/ChangeJournal.h"
#include "journal/JournalBlanking.h"
#include "journal/PeriodLock.h"
#include "journal/PersonalFields.h"
#include "records/FamilyData.h"

#include <QSqlQuery>

namespace
{

using FieldKind = PersonalField::Kind;

// Erased content leaves no copy in the file's freed space while this lives.
class SecureDelete
{
public:
    explicit SecureDelete(const QSqlDatabase& db) : m_db(db)
    {
        m_was = Sql::scalar(m_db, QStringLiteral("PRAGMA secure_delete")).toInt();
        Sql::scalar(m_db, QStringLiteral("PRAGMA secure_delete = 1"));
    }
    ~SecureDelete()
    {
        try {
            Sql::scalar(m_db, QStringLiteral("PRAGMA secure_delete = %1").arg(m_was));
        } catch (const DbError&) {
        }
    }
    SecureDelete(const SecureDelete&) = delete;
    SecureDelete& operator=(const SecureDelete&) = delete;

private:
    QSqlDatabase m_db;
    int m_was = 0;
};

// Writes the changed fields of one row through the record layer (journaled where followed).
void updateRow(const QSqlDatabase& db, const QString& table, qint64 rowid, const QVariantMap& fields)
{
    if (fields.isEmpty())
        return;
    QStringList sets;
    QVariantList values;
    for (auto f = fields.constBegin(); f != fields.constEnd(); ++f) {
        sets << Sql::quoted(f.key()) + QStringLiteral(" = ?");
        values << f.value();
    }
    values << rowid;
    RowChanges::apply(db, table, RowAction::Update, rowid, [&] {
        Sql::execPositional(db,
                            QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                                .arg(Sql::quoted(table), sets.join(QStringLiteral(", "))),
                            values, table);
        return rowid;
    });
}

QList<qint64> rowsOfFamily(const QSqlDatabase& db, const QString& table, const QString& code)
{
    QList<qint64> rows;
    QSqlQuery query =
        Sql::execPositional(db,
                            QStringLiteral("SELECT rowid FROM %1 WHERE trim(Cod_enorias) = ? ORDER BY rowid")
                                .arg(Sql::quoted(table)),
                            {code});
    while (query.next())
        rows << query.value(0).toLongLong();
    return rows;
}

// Two stored values alike, a null and a missing one included.
bool sameValue(const QVariant& a, const QVariant& b)
{
    return (a.isNull() && b.isNull()) || a == b;
}

QVariant storedValue(const QSqlDatabase& db, const QString& table, const QString& field, qint64 rowid)
{
    return Sql::scalar(db, QStringLiteral("SELECT %1 FROM %2 WHERE rowid = %3")
                               .arg(Sql::quoted(field), Sql::quoted(table))
                               .arg(rowid));
}

// The family's rows in the catalogue and the five kinds of records.
void anonymiseRecords(const QSqlDatabase& db, const FamilyData& family, const QString& anonymous)
{
    for (const PersonalTable& table : PersonalFields::all()) {
        if (table.table == PersonalFields::receiptsTable || !Sql::tableExists(db, table.table))
            continue;
        int position = 0;
        for (const qint64 rowid : rowsOfFamily(db, table.table, family.code)) {
            ++position;
            QVariantMap fields;
            for (const PersonalField& f : table.fields) {
                const QVariant now = storedValue(db, table.table, f.name, rowid);
                QVariant erased;
                if (f.kind == FieldKind::Name && table.table == PersonalFields::membersTable)
                    erased =
                        QStringLiteral("%1-%2").arg(anonymous).arg(position); // members are keyed by name
                else if (f.kind == FieldKind::Name)
                    erased = now.toString().trimmed().isEmpty() ? QVariant() : QVariant(anonymous);
                else if (f.kind == FieldKind::NameInside)
                    erased = family.withNamesReplaced(now.toString(), anonymous);
                if (!sameValue(now, erased))
                    fields.insert(f.name, erased);
            }
            updateRow(db, table.table, rowid, fields);
        }
    }
}

void anonymiseReceipts(const QSqlDatabase& db, const FamilyData& family, const QString& anonymous)
{
    const PersonalTable& receipts = *PersonalFields::find(PersonalFields::receiptsTable);
    QList<qint64> rowids;
    for (const FamilyData::Receipt& receipt : family.receipts) {
        rowids << receipt.rowid;
        QVariantMap fields;
        for (const PersonalField& f : receipts.fields) {
            const QString now = storedValue(db, receipts.table, f.name, receipt.rowid).toString();
            // Another family's receipt that names one of them keeps its own parishioner.
            const QString erased = f.kind == FieldKind::NameInside ? family.withNamesReplaced(now, anonymous)
                                   : now.trimmed().isEmpty() || !receipt.isFamilys ? now
                                                                                   : anonymous;
            if (erased != now)
                fields.insert(f.name, erased);
        }
        updateRow(db, receipts.table, receipt.rowid, fields);
    }
    // A receipt that keeps only the code was indexed under the catalogue's name.
    DocumentSearchIndex::reindexIncomes(db, rowids);
}

QStringList fieldNames(const PersonalTable& table)
{
    QStringList names;
    for (const PersonalField& f : table.fields)
        names << f.name;
    return names;
}

void blankJournal(const QSqlDatabase& db, const FamilyData& family)
{
    const QString code = PersonalFields::codeField;
    const auto ofCode = [&family, &code](const QString& field, const QString& text) {
        return field.compare(code, Qt::CaseInsensitive) == 0 && text == family.code;
    };
    const QList<qint64> catalogueRows = rowsOfFamily(db, PersonalFields::familyTable, family.code);
    JournalBlanking::blank(db, PersonalFields::familyTable,
                           fieldNames(*PersonalFields::find(PersonalFields::familyTable)), ofCode,
                           QSet<qint64>(catalogueRows.begin(), catalogueRows.end()));

    // The family's receipts lose their names; another family's only what names this one.
    const PersonalTable& receipts = *PersonalFields::find(PersonalFields::receiptsTable);
    QSet<qint64> familys, naming;
    for (const FamilyData::Receipt& r : family.receipts)
        (r.isFamilys ? familys : naming).insert(r.rowid);
    QStringList namingFields;
    for (const PersonalField& f : receipts.fields)
        if (f.kind == FieldKind::NameInside)
            namingFields << f.name;
    JournalBlanking::blank(
        db, receipts.table, fieldNames(receipts),
        [&](const QString& field, const QString& text) {
            const PersonalField* f = receipts.find(field);
            return ofCode(field, text) || (f && f->kind == FieldKind::Name && family.isName(text));
        },
        familys);
    JournalBlanking::blank(
        db, receipts.table, namingFields,
        [&](const QString& field, const QString& text) {
            const PersonalField* f = receipts.find(field);
            return f && f->kind == FieldKind::NameInside && family.mentions(text);
        },
        naming);
}

// Refused when a receipt of the family falls within the locked period, before anything changes.
void checkFamily(const QSqlDatabase& db, const FamilyData& family)
{
    try {
        for (const FamilyData::Receipt& receipt : family.receipts)
            PeriodLock::check(db, receipt.date, RowAction::Update);
    } catch (const DbError& refusal) {
        throw DbError(refusal.text() +
                      QStringLiteral("\nFamilia %1 are chitante in perioada blocata: anonimizarea "
                                     "nu se poate face.")
                          .arg(family.code));
    }
}

} // namespace

namespace PersonAnonymisation
{

QString anonymousName(const QString& code)
{
    return QStringLiteral("ANONIM-") + code.trimmed();
}

void check(const QSqlDatabase& db, const QString& code)
{
    checkFamily(db, FamilyData::read(db, code));
}

void run(const QSqlDatabase& db, const QString& code)
{
    const FamilyData family = FamilyData::read(db, code);
    checkFamily(db, family);
    const QString anonymous = anonymousName(family.code);
    const SecureDelete secureDelete(db);
    Transaction transaction(db);
    anonymiseRecords(db, family, anonymous);
    anonymiseReceipts(db, family, anonymous);
    blankJournal(db, family);
    // The register is rebuilt from the receipts when a report asks for it; its old rows hold their
    // explanations.
    WorkTable::rebuildEmpty(db, QStringLiteral("Registru"));
    DocumentSearchIndex::mergeAll(db);
    ChangeJournal::recordSummary(
        db,
        QStringLiteral("Anonimizare la cerere: datele personale ale familiei cu codul %1 "
                       "au fost inlocuite cu %2 (%3 chitante).")
            .arg(family.code, anonymous)
            .arg(family.receipts.size()),
        {});
    transaction.commit();
}

} // namespace PersonAnonymisation
