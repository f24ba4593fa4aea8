#include "journal/JournalBlanking.h"

#include "db/Sql.h"
#include "journal/JournalEntry.h"
#include "journal/JournalStore.h"

#include <QHash>
#include <algorithm>
#include <vector>

namespace
{

// The text of a value as StoredRows writes it ("tPopescu" -> "Popescu", "i12" -> "12").
QString storedText(const QString& value)
{
    return value.isEmpty() || value == QLatin1String("n") ? QString() : value.mid(1);
}

// The entries of one life of a row, by number (a table's journal may be long:
// the entries themselves are read again only for the person's lives).
struct RowLife {
    std::vector<qint64> entries;
    bool persons = false;
};

// Blanks the values of `fields` in these entries; the count changed.
int blankEntries(const QSqlDatabase& db, const std::vector<qint64>& numbers, const QStringList& fields)
{
    constexpr size_t chunk = 500;
    int changed = 0;
    for (size_t from = 0; from < numbers.size(); from += chunk) {
        QStringList list;
        for (size_t i = from; i < std::min(numbers.size(), from + chunk); ++i)
            list << QString::number(numbers[i]);
        QList<JournalEntry> blanked;
        JournalStore::readAll(
            db,
            [&](const JournalEntry& e) {
                JournalEntry copy = e;
                bool any = false;
                for (JournalValue& v : copy.values) {
                    if (v.isBlanked() || !fields.contains(v.field, Qt::CaseInsensitive))
                        continue;
                    v.value.clear();
                    v.salt.clear();
                    any = true;
                }
                if (any)
                    blanked << copy;
            },
            QStringLiteral("Nr IN (%1)").arg(list.join(QLatin1Char(','))));
        for (const JournalEntry& e : std::as_const(blanked))
            Sql::execPositional(
                db, QStringLiteral("UPDATE %1 SET Valori = ? WHERE Nr = ?").arg(JournalStore::entriesTable),
                {JournalEntry::encodeValues(e.values), e.number}, JournalStore::entriesTable);
        changed += int(blanked.size());
    }
    return changed;
}

} // namespace

namespace JournalBlanking
{

int blank(const QSqlDatabase& db, const QString& table, const QStringList& fields,
          const std::function<bool(const QString& field, const QString& text)>& isPersons,
          const QSet<qint64>& currentRows)
{
    if (!JournalStore::exists(db))
        return 0;
    std::vector<RowLife> lives;
    QHash<qint64, size_t> openLife; // row identity -> its life still going on
    const auto follow = [&](const JournalEntry& e) {
        // Rows taken as they are (an import, a restore, a closing) may be other
        // rows under the same identities: every life of the table ends there.
        if (e.action == JournalAction::baseline) {
            openLife.clear();
            return;
        }
        if (e.action != JournalAction::insert && e.action != JournalAction::update &&
            e.action != JournalAction::remove)
            return;
        auto open = openLife.constFind(e.rowid);
        if (e.action == JournalAction::insert || open == openLife.constEnd()) {
            lives.emplace_back();
            open = openLife.insert(e.rowid, lives.size() - 1);
        }
        RowLife& life = lives[*open];
        for (const JournalValue& v : e.values)
            if (!v.isBlanked() && isPersons(v.field, storedText(v.value).trimmed()))
                life.persons = true;
        life.entries.push_back(e.number);
        if (e.action == JournalAction::remove)
            openLife.remove(e.rowid);
    };
    JournalStore::readAll(db, follow, QStringLiteral("Tabela = ?"), {table});
    for (auto open = openLife.constBegin(); open != openLife.constEnd(); ++open)
        if (currentRows.contains(open.key()))
            lives[open.value()].persons = true;

    std::vector<qint64> persons;
    for (const RowLife& life : lives)
        if (life.persons)
            persons.insert(persons.end(), life.entries.begin(), life.entries.end());
    return blankEntries(db, persons, fields);
}

} // namespace JournalBlanking
