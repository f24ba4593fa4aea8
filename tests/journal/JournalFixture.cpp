#include "JournalFixture.h"

#include "db/Connection.h"
#include "db/Dataset.h"
#include "journal/JournalStore.h"

#include <sqlite3.h>

void JournalFixture::SetUp()
{
    db = folder.openWorkingYear();
}

void JournalFixture::store(const QString& table, const QVariantMap& values)
{
    Dataset rows(table);
    rows.open();
    ASSERT_TRUE(rows.append());
    for (auto v = values.constBegin(); v != values.constEnd(); ++v)
        rows.setValue(v.key(), v.value());
    ASSERT_TRUE(rows.post());
}

void JournalFixture::change(const QString& table, const QString& field, const QVariant& value,
                            const QVariantMap& changes)
{
    Dataset rows(table);
    rows.open();
    ASSERT_TRUE(rows.locate(field, {value})) << table.toStdString() << " has no row to change";
    ASSERT_TRUE(rows.edit());
    for (auto v = changes.constBegin(); v != changes.constEnd(); ++v)
        rows.setValue(v.key(), v.value());
    try {
        rows.post();
    } catch (...) {
        rows.cancel();
        throw;
    }
}

void JournalFixture::remove(const QString& table, const QString& field, const QVariant& value)
{
    Dataset rows(table);
    rows.open();
    ASSERT_TRUE(rows.locate(field, {value})) << table.toStdString() << " has no row to delete";
    rows.remove();
}

void JournalFixture::behindTheProgram(const QString& statements) const
{
    sqlite3* shell = nullptr;
    ASSERT_EQ(sqlite3_open(folder.databaseFile().toUtf8().constData(), &shell), SQLITE_OK);
    char* error = nullptr;
    const int status = sqlite3_exec(shell, statements.toUtf8().constData(), nullptr, nullptr, &error);
    EXPECT_EQ(status, SQLITE_OK) << (error ? error : "");
    sqlite3_free(error);
    sqlite3_close(shell);
}

QList<JournalEntry> JournalFixture::entries()
{
    QList<JournalEntry> all;
    JournalStore::readAll(Connection::database(), [&](const JournalEntry& e) { all << e; });
    return all;
}

JournalEntry JournalFixture::lastEntry(const QString& action)
{
    const QList<JournalEntry> all = entries();
    for (auto e = all.crbegin(); e != all.crend(); ++e)
        if (action.isEmpty() || e->action == action)
            return *e;
    ADD_FAILURE() << "no entry " << action.toStdString();
    return {};
}
