#include "journal/JournalVerification.h"

#include "db/DbError.h"
#include "db/Sql.h"
#include "journal/JournalStore.h"
#include "journal/StoredRows.h"
#include "journal/WatchedTables.h"

#include <QDate>
#include <QHash>
#include <QtEndian>
#include <vector>

namespace
{

struct ExpectedRow {
    QByteArray digest;
    QString key;
    QString keyDate;
};
using TableState = QHash<qint64, ExpectedRow>;

bool valuesHold(const JournalEntry& entry)
{
    for (const JournalValue& v : entry.values)
        if (!v.isBlanked() && v.computedDigest() != v.digest)
            return false;
    return true;
}

QString entryName(const JournalEntry& e)
{
    QString name = QStringLiteral("Inregistrarea nr. %1 a jurnalului").arg(e.number);
    if (!e.table.isEmpty())
        name += QStringLiteral(" (%1, %2)").arg(e.table, e.action);
    return name;
}

// "documentul nr. 12 din 05.03.2024", "randul cu Cod_enorias 123", "randul 7".
QString rowName(const WatchedTable& table, qint64 rowid, const QString& key, const QString& keyDate)
{
    if (table.isDocument && !table.isLine && !key.isEmpty()) {
        const QDate date = QDate::fromString(keyDate, Qt::ISODate);
        return date.isValid() ? QStringLiteral("documentul nr. %1 din %2").arg(key, date.toString(QStringLiteral("dd.MM.yyyy")))
                              : QStringLiteral("documentul nr. %1").arg(key);
    }
    if (!key.isEmpty())
        return QStringLiteral("randul cu %1 %2").arg(table.numberField, key);
    return QStringLiteral("randul %1").arg(rowid);
}

QString currentKey(const WatchedTable& table, const StoredRow& row)
{
    if (table.numberField.isEmpty())
        return {};
    const QString number = StoredRows::valueOf(row, table.numberField);
    return number == QLatin1String("n") ? QString() : StoredRows::display(table.name, table.numberField, number);
}

QString currentDate(const WatchedTable& table, const StoredRow& row)
{
    return table.dateField.isEmpty() ? QString() : StoredRows::dateOf(StoredRows::valueOf(row, table.dateField)).toString(Qt::ISODate);
}

void applyEntry(QHash<QString, TableState>& state, const JournalEntry& e)
{
    const bool changesRows = e.action == JournalAction::baseline || e.action == JournalAction::insert ||
                             e.action == JournalAction::update || e.action == JournalAction::remove;
    if (e.table.isEmpty() || !changesRows)
        return;
    TableState& rows = state[e.table];
    if (e.action == JournalAction::baseline) {
        rows.clear();
        const QByteArray& list = e.rowDigest;
        for (qsizetype at = 0; at + 40 <= list.size(); at += 40)
            rows.insert(qFromBigEndian<qint64>(list.constData() + at), {list.mid(at + 8, 32), {}, {}});
    } else if (e.action == JournalAction::remove) {
        rows.remove(e.rowid);
    } else {
        ExpectedRow& row = rows[e.rowid];
        row.digest = e.rowDigest;
        if (!e.key.isEmpty())
            row.key = e.key;
        if (!e.keyDate.isEmpty())
            row.keyDate = e.keyDate;
    }
}

void compareTables(const QSqlDatabase& db, QHash<QString, TableState>& state, QStringList& problems)
{
    for (const WatchedTable& table : WatchedTables::all()) {
        if (!Sql::tableExists(db, table.name))
            continue;
        TableState expected = state.value(table.name);
        StoredRows::readAll(db, table.name, [&](qint64 rowid, const StoredRow& row) {
            const auto found = expected.constFind(rowid);
            const QString name = rowName(table, rowid, currentKey(table, row), currentDate(table, row));
            if (found == expected.constEnd())
                problems << QStringLiteral("Tabela %1: %2 a fost adaugat in afara programului.").arg(table.name, name);
            else if (found->digest != StoredRows::digest(row))
                problems << QStringLiteral("Tabela %1: %2 a fost modificat in afara programului.").arg(table.name, name);
            if (found != expected.constEnd())
                expected.erase(found);
        });
        for (auto gone = expected.constBegin(); gone != expected.constEnd(); ++gone)
            problems << QStringLiteral("Tabela %1: %2 a fost sters in afara programului.")
                            .arg(table.name, rowName(table, gone.key(), gone->key, gone->keyDate));
    }
}

} // namespace

QString JournalVerification::text() const
{
    if (isWhole())
        return QStringLiteral("Jurnalul este intreg: %1 inregistrari").arg(entries);
    constexpr int shown = 30;
    QStringList lines{QStringLiteral("Jurnalul NU este intreg (%1 inregistrari):").arg(entries)};
    lines += problems.mid(0, shown);
    if (problems.size() > shown)
        lines << QStringLiteral("... si inca %1 nepotriviri.").arg(problems.size() - shown);
    return lines.join(QLatin1Char('\n'));
}

JournalVerification JournalVerification::run(const QSqlDatabase& db)
{
    if (!JournalStore::exists(db))
        throw DbError(QStringLiteral("Baza de date %1 nu are jurnalul modificarilor").arg(db.databaseName()));
    JournalVerification result;
    std::vector<JournalEntry> entries;
    JournalStore::readAll(db, [&](const JournalEntry& e) { entries.push_back(e); });
    const JournalStore::Head head = JournalStore::head(db);
    result.entries = qint64(entries.size());

    QHash<QString, TableState> state;
    QByteArray previousHash;
    qint64 previousNumber = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        const JournalEntry& e = entries[i];
        const bool holds = e.computedHash() == e.hash && valuesHold(e);
        const bool follows = e.previousHash == previousHash;
        const bool skippedByNext = i + 1 < entries.size() && entries[i + 1].previousHash == previousHash;
        if (e.number > head.count || (!holds && skippedByNext)) {
            result.problems << QStringLiteral("%1 a fost adaugata in afara programului.").arg(entryName(e));
            continue; // the chain goes on from the entry before it
        }
        if (!follows && e.number > previousNumber + 1)
            result.problems << (e.number == previousNumber + 2
                                    ? QStringLiteral("Inregistrarea nr. %1 a jurnalului a fost stearsa in afara "
                                                     "programului.")
                                          .arg(previousNumber + 1)
                                    : QStringLiteral("Inregistrarile nr. %1-%2 ale jurnalului au fost sterse in "
                                                     "afara programului.")
                                          .arg(previousNumber + 1)
                                          .arg(e.number - 1));
        else if (!holds)
            result.problems << QStringLiteral("%1 a fost modificata in afara programului.").arg(entryName(e));
        else if (!follows)
            result.problems << QStringLiteral("%1 nu urmeaza celei dinainte: jurnalul a fost modificat in afara "
                                              "programului.")
                                   .arg(entryName(e));
        applyEntry(state, e);
        previousHash = e.hash;
        previousNumber = e.number;
    }
    if (previousNumber < head.count)
        result.problems << (previousNumber + 1 == head.count
                                ? QStringLiteral("Inregistrarea nr. %1 a jurnalului a fost stearsa in afara programului.")
                                      .arg(head.count)
                                : QStringLiteral("Inregistrarile nr. %1-%2 ale jurnalului au fost sterse in afara "
                                                 "programului.")
                                      .arg(previousNumber + 1)
                                      .arg(head.count));
    else if (previousHash != head.hash && result.problems.isEmpty())
        result.problems << QStringLiteral("Capatul jurnalului (tabela JurnalCap) a fost modificat in afara programului.");
    compareTables(db, state, result.problems);
    return result;
}
