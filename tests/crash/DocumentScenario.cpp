// Single documents (an income, a payment, a bank deposit or withdrawal)
// stored through the record source the document windows post with, each
// with its entry in the journal of changes: both are there or neither.

#include "crash/CrashRandom.h"
#include "crash/CrashScenario.h"
#include "db/Dataset.h"
#include "db/DbError.h"
#include "db/Sql.h"
#include "db/WorkingYear.h"
#include "journal/JournalEntry.h"
#include "journal/JournalStore.h"

#include <QHash>
#include <memory>

namespace
{

struct DocumentKind {
    QString table;
    QString numberField;
    QString amountField;
    QString kind;      // Fel
    QString typeField; // the income or expense type; empty for bank movements
    QList<int> types;  // the usual one and the candles' (which the candle-shop register takes)
};

const QList<DocumentKind>& kinds()
{
    static const QList<DocumentKind> all{
        {QStringLiteral("Venituri"),
         QStringLiteral("Nr_act"),
         QStringLiteral("Valoarea"),
         QStringLiteral("CHIT"),
         QStringLiteral("Cod_venit"),
         {1, 5}},
        {QStringLiteral("Cheltuieli"),
         QStringLiteral("Nr_act"),
         QStringLiteral("Valoarea"),
         QStringLiteral("OP"),
         QStringLiteral("Cod_cheltuiala"),
         {34, 31}},
        {QStringLiteral("Depuneri"), QStringLiteral("Nr_doc"), QStringLiteral("Suma"), QStringLiteral("FD")},
        {QStringLiteral("Ridicari"), QStringLiteral("Nr_doc"), QStringLiteral("Suma"), QStringLiteral("CEC")},
    };
    return all;
}

const DocumentKind& kindOf(const QString& table)
{
    for (const DocumentKind& kind : kinds())
        if (kind.table == table)
            return kind;
    throw DbError(QStringLiteral("no document table ") + table);
}

// What the operation stores: "<table> <bani> <account> <date>".
struct Document {
    QString table;
    int cents = 0;
    QString account;
    QDate date;

    QString text() const
    {
        return QStringLiteral("%1 %2 %3 %4").arg(table).arg(cents).arg(account, date.toString(Qt::ISODate));
    }
    static Document fromText(const QString& text)
    {
        const QStringList parts = text.split(QLatin1Char(' '));
        return {parts.value(0), parts.value(1).toInt(), parts.value(2),
                QDate::fromString(parts.value(3), Qt::ISODate)};
    }
};

// One record source per table, kept open for the child's life as a window keeps its own.
Dataset& recordSource(const QString& table)
{
    static QHash<QString, std::shared_ptr<Dataset>> sources;
    std::shared_ptr<Dataset>& source = sources[table];
    if (!source) {
        source = std::make_shared<Dataset>(table);
        source->open();
    }
    return *source;
}

QString performDocument(const QSqlDatabase& db, int number, unsigned seed, const Announce& announce)
{
    CrashRandom random(seed, number);
    const DocumentKind& kind = kinds().at(random.below(int(kinds().size())));
    const Document document{kind.table, random.cents(), random.account(), random.dayOf(workingYearOf(db))};
    announce(document.text());

    Dataset& documents = recordSource(kind.table);
    documents.append();
    documents.setValue(kind.numberField, number);
    documents.setValue(QStringLiteral("Data"), document.date);
    documents.setValue(kind.amountField, document.cents / 100.0);
    documents.setValue(QStringLiteral("Fel"), kind.kind);
    if (!kind.typeField.isEmpty()) {
        documents.setValue(kind.typeField, kind.types.at(random.below(int(kind.types.size()))));
        documents.setValue(QStringLiteral("Cont"), document.account);
        documents.setValue(QStringLiteral("Explicatie"), QStringLiteral("Proba %1").arg(number));
    }
    if (!documents.post())
        throw DbError(QStringLiteral("the document was refused"));
    return QStringLiteral("stored");
}

// "stored", "absent", or a fault for a row that is not the document.
QString findDocumentRow(const QSqlDatabase& db, int number, const Document& document)
{
    const DocumentKind& kind = kindOf(document.table);
    QSqlQuery rows = Sql::exec(
        db,
        QStringLiteral("SELECT %1, Data, %2 FROM %3 WHERE %4 = :n")
            .arg(kind.amountField, kind.typeField.isEmpty() ? QStringLiteral("NULL") : QStringLiteral("Cont"),
                 kind.table, kind.numberField),
        {{QStringLiteral(":n"), number}});
    if (!rows.next())
        return QStringLiteral("absent");
    const bool whole = rows.value(0).toDouble() == document.cents / 100.0 &&
                       rows.value(1).toString() == document.date.toString(Qt::ISODate) &&
                       (kind.typeField.isEmpty() || rows.value(2).toString() == document.account);
    if (!whole)
        return QStringLiteral("different");
    return rows.next() ? QStringLiteral("twice") : QStringLiteral("stored");
}

// How many entries of the journal record the document's insert.
int journalEntries(const QSqlDatabase& db, const DocumentKind& kind, int number)
{
    if (!Sql::tableExists(db, JournalStore::entriesTable))
        return 0;
    return Sql::scalar(db,
                       QStringLiteral("SELECT count(*) FROM Jurnal WHERE Tabela = :t AND Actiune = :a AND Cheie = :k"),
                       {{QStringLiteral(":t"), kind.table},
                        {QStringLiteral(":a"), JournalAction::insert},
                        {QStringLiteral(":k"), QString::number(number)}})
        .toInt();
}

// As findDocumentRow, and a document without its journal entry (or an entry
// without its document) is a fault too.
QString findDocument(const QSqlDatabase& db, int number, const Document& document)
{
    const QString found = findDocumentRow(db, number, document);
    const int entries = journalEntries(db, kindOf(document.table), number);
    if (found == QLatin1String("stored") && entries != 1)
        return QStringLiteral("stored with %1 journal entries").arg(entries);
    if (found == QLatin1String("absent") && entries != 0)
        return QStringLiteral("absent with %1 journal entries").arg(entries);
    return found;
}

void verifyDocuments(const QSqlDatabase& db, const CrashLog& operations, CrashFindings& findings)
{
    int present = 0;
    for (const CrashOperation& operation : operations) {
        if (operation.announced.isEmpty()) // killed before it chose its document
            continue;
        const Document document = Document::fromText(operation.announced.first());
        const QString found = findDocument(db, operation.number, document);
        const std::optional<QString> outcome = operation.outcome();
        if (outcome ? found != *outcome
                    : found != QLatin1String("stored") && found != QLatin1String("absent"))
            findings.fault(
                QStringLiteral("document %1 (%2): expected %3, found %4")
                    .arg(operation.number)
                    .arg(document.text(), outcome.value_or(QStringLiteral("stored or absent")), found));
        if (!outcome)
            findings.settle(found);
        if (found == QLatin1String("stored"))
            ++present;
        findings.countVerified();
    }
    int stored = 0;
    for (const DocumentKind& kind : kinds())
        stored += Sql::scalar(db, QStringLiteral("SELECT COUNT(*) FROM %1").arg(kind.table)).toInt();
    if (stored != present)
        findings.fault(QStringLiteral("%1 documents stored, %2 expected").arg(stored).arg(present));
}

const CrashScenarioRegistration documentsRegistration({QStringLiteral("documents"), performDocument, verifyDocuments, {}});

} // namespace
