#include "journal/JournalBlanking.h"

#include "db/Sql.h"
#include "journal/JournalEntry.h"
#include "journal/JournalStore.h"

#include <QHash>
#include <vector>

namespace
{

// The text of a value as StoredRows writes it ("tPopescu" -> "Popescu", "i12" -> "12").
QString storedText(const QString& value)
{
    return value.isEmpty() || value == QLatin1String("n") ? QString() : value.mid(1);
}

struct RowLife {
    std::vector<JournalEntry> entries;
    bool persons = false;
};

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
        life.entries.push_back(e);
        if (e.action == JournalAction::remove)
            openLife.remove(e.rowid);
    };
    JournalStore::readAll(db, follow, QStringLiteral("Tabela = ?"), {table});
    for (auto open = openLife.constBegin(); open != openLife.constEnd(); ++open)
        if (currentRows.contains(open.key()))
            lives[open.value()].persons = true;

    int changed = 0;
    for (RowLife& life : lives) {
        if (!life.persons)
            continue;
        for (JournalEntry& e : life.entries) {
            bool blanked = false;
            for (JournalValue& v : e.values) {
                if (v.isBlanked() || !fields.contains(v.field, Qt::CaseInsensitive))
                    continue;
                v.value.clear();
                v.salt.clear();
                blanked = true;
            }
            if (!blanked)
                continue;
            Sql::execPositional(
                db, QStringLiteral("UPDATE %1 SET Valori = ? WHERE Nr = ?").arg(JournalStore::entriesTable),
                {JournalEntry::encodeValues(e.values), e.number}, JournalStore::entriesTable);
            ++changed;
        }
    }
    return changed;
}

} // namespace JournalBlanking
