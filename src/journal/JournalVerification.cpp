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
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
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

// Checks each entry's hash and values' digests on worker threads while the
// entries are still being read: they come in chunks, each taken by the first
// free worker. Each entry is checked on its own (its hash takes the previous
// hash as stored); how the entries link up is judged afterwards, in order.
class EntryChecks
{
public:
    EntryChecks()
    {
        const unsigned workers = std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
        for (unsigned w = 0; w < workers; ++w)
            m_workers.emplace_back([this] { work(); });
    }
    ~EntryChecks() { finish(); }
    EntryChecks(const EntryChecks&) = delete;
    EntryChecks& operator=(const EntryChecks&) = delete;

    void add(JournalStore::RawEntry&& entry)
    {
        if (!m_filling)
            m_filling = std::make_unique<Chunk>();
        m_filling->entries.push_back(std::move(entry));
        if (m_filling->entries.size() == chunkSize)
            publish();
    }

    // Every entry read: waits for the last checks.
    void finish()
    {
        publish();
        {
            const std::lock_guard lock(m_mutex);
            m_done = true;
        }
        m_ready.notify_all();
        for (std::thread& worker : m_workers)
            if (worker.joinable())
                worker.join();
    }

    // After finish(): the entries in order, and whether each holds.
    std::vector<const JournalStore::RawEntry*> entries() const
    {
        std::vector<const JournalStore::RawEntry*> all;
        for (const auto& chunk : m_chunks)
            for (const JournalStore::RawEntry& e : chunk->entries)
                all.push_back(&e);
        return all;
    }
    std::vector<char> holding() const
    {
        std::vector<char> all;
        for (const auto& chunk : m_chunks)
            all.insert(all.end(), chunk->holding.begin(), chunk->holding.end());
        return all;
    }

private:
    static constexpr size_t chunkSize = 2048;
    struct Chunk {
        std::vector<JournalStore::RawEntry> entries;
        std::vector<char> holding;
    };

    void publish()
    {
        if (!m_filling)
            return;
        {
            const std::lock_guard lock(m_mutex);
            m_pending.push_back(m_filling.get());
            m_chunks.push_back(std::move(m_filling));
        }
        m_ready.notify_one();
    }

    void work()
    {
        QCryptographicHash entryHash(QCryptographicHash::Sha256), scratch(QCryptographicHash::Sha256);
        QByteArray hash;
        for (;;) {
            Chunk* chunk = nullptr;
            {
                std::unique_lock lock(m_mutex);
                m_ready.wait(lock, [this] { return !m_pending.empty() || m_done; });
                if (m_pending.empty())
                    return;
                chunk = m_pending.front();
                m_pending.pop_front();
            }
            chunk->holding.resize(chunk->entries.size());
            for (size_t i = 0; i < chunk->entries.size(); ++i) {
                const JournalStore::RawEntry& e = chunk->entries[i];
                const bool valuesHold = JournalEntry::hashStored(e.previousHash, e.header, e.encodedValues,
                                                                 e.rowDigest, entryHash, scratch, hash);
                chunk->holding[i] = valuesHold && hash == e.hash;
            }
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_ready;
    std::deque<Chunk*> m_pending;
    std::vector<std::unique_ptr<Chunk>> m_chunks;
    std::unique_ptr<Chunk> m_filling;
    bool m_done = false;
    std::vector<std::thread> m_workers;
};

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
    // The hashes are checked on every core while this thread reads the entries, then the tables.
    EntryChecks checks;
    JournalStore::readRaw(db, [&](JournalStore::RawEntry&& e) { checks.add(std::move(e)); });
    const JournalStore::Head head = JournalStore::head(db);
    const CurrentRows current = readCurrentRows(db);
    checks.finish();
    const std::vector<const JournalStore::RawEntry*> entries = checks.entries();
    const std::vector<char> holding = checks.holding();
    result.entries = qint64(entries.size());

    QHash<QString, TableState> state;
    QByteArray previousHash;
    qint64 previousNumber = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        const JournalStore::RawEntry& e = *entries[i];
        const bool holds = holding[i];
        const bool follows = e.previousHash == previousHash;
        const bool skippedByNext = i + 1 < entries.size() && entries[i + 1]->previousHash == previousHash;
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
