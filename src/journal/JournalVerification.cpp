#include "journal/JournalVerification.h"

#include "db/DbError.h"
#include "db/Sql.h"
#include "journal/JournalStore.h"
#include "journal/StoredRows.h"
#include "journal/WatchedTables.h"

#include <QDate>
#include <QHash>
#include <QtEndian>
#include <algorithm>
#include <thread>
#include <vector>

namespace
{

struct ExpectedRow {
    QByteArray digest;
    QString key;
    QString keyDate;
};
using TableState = QHash<qint64, ExpectedRow>;

// Whether each entry's hash and values' digests are what its content gives.
// Each entry is checked on its own (its hash takes the previous hash as
// stored), so the entries are shared out among the processor's cores.
std::vector<char> entriesHolding(const std::vector<JournalStore::RawEntry>& entries)
{
    std::vector<char> holding(entries.size(), 0);
    const size_t workers = std::clamp<size_t>(std::thread::hardware_concurrency(), 1, 8);
    const size_t share = (entries.size() + workers - 1) / workers;
    std::vector<std::thread> threads;
    for (size_t w = 0; w < workers; ++w)
        threads.emplace_back([&, w] {
            QCryptographicHash entryHash(QCryptographicHash::Sha256), scratch(QCryptographicHash::Sha256);
            QByteArray hash;
            const size_t end = std::min(entries.size(), (w + 1) * share);
            for (size_t i = w * share; i < end; ++i) {
                const JournalStore::RawEntry& e = entries[i];
                const bool valuesHold = JournalEntry::hashStored(e.previousHash, e.header, e.encodedValues,
                                                                 e.rowDigest, entryHash, scratch, hash);
                holding[i] = valuesHold && hash == e.hash;
            }
        });
    for (std::thread& t : threads)
        t.join();
    return holding;
}

QString entryName(const JournalStore::RawEntry& e)
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

void applyEntry(QHash<QString, TableState>& state, const JournalStore::RawEntry& e)
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

// Every followed table's rows as stored now: identity and digest, in row order.
using CurrentRows = QHash<QString, std::vector<std::pair<qint64, QByteArray>>>;

CurrentRows readCurrentRows(const QSqlDatabase& db)
{
    CurrentRows rows;
    for (const WatchedTable& table : WatchedTables::all()) {
        if (!Sql::tableExists(db, table.name))
            continue;
        auto& list = rows[table.name];
        StoredRows::digestAll(db, table.name,
                              [&](qint64 rowid, const QByteArray& digest) { list.emplace_back(rowid, digest); });
    }
    return rows;
}

void compareTables(const QSqlDatabase& db, const CurrentRows& current, const QHash<QString, TableState>& state,
                   QStringList& problems)
{
    for (const WatchedTable& table : WatchedTables::all()) {
        const auto rows = current.constFind(table.name);
        if (rows == current.constEnd())
            continue;
        TableState expected = state.value(table.name);
        // Only a row that does not match is read as texts, to be named.
        const auto nameOf = [&](qint64 rowid) {
            const StoredRow row = StoredRows::read(db, table.name, rowid);
            return rowName(table, rowid, currentKey(table, row), currentDate(table, row));
        };
        for (const auto& [rowid, digest] : *rows) {
            const auto found = expected.constFind(rowid);
            if (found == expected.constEnd()) {
                problems << QStringLiteral("Tabela %1: %2 a fost adaugat in afara programului.")
                                .arg(table.name, nameOf(rowid));
                continue;
            }
            if (found->digest != digest)
                problems << QStringLiteral("Tabela %1: %2 a fost modificat in afara programului.")
                                .arg(table.name, nameOf(rowid));
            expected.erase(found);
        }
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
    std::vector<JournalStore::RawEntry> entries;
    JournalStore::readRaw(db, [&](JournalStore::RawEntry&& e) { entries.push_back(std::move(e)); });
    const JournalStore::Head head = JournalStore::head(db);
    result.entries = qint64(entries.size());

    // The hashes are checked on the other cores while this one reads the tables.
    std::vector<char> holding;
    std::thread checking([&] { holding = entriesHolding(entries); });
    CurrentRows current;
    try {
        current = readCurrentRows(db);
    } catch (...) {
        checking.join();
        throw;
    }
    checking.join();
    QHash<QString, TableState> state;
    QByteArray previousHash;
    qint64 previousNumber = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        const JournalStore::RawEntry& e = entries[i];
        const bool holds = holding[i];
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
    compareTables(db, current, state, result.problems);
    return result;
}
