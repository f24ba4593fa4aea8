#pragma once

#include "journal/JournalEntry.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"

#include <QSqlDatabase>
#include <QVariantMap>
#include <gtest/gtest.h>

// A working year open through the program's connection (its journal started
// on opening), written through record sources as the windows write, and
// edited "behind the program's back" through a connection of SQLite's own,
// as the sqlite3 shell would.
class JournalFixture : public ::testing::Test
{
protected:
    void SetUp() override;

    // A new row through a record source.
    static void store(const QString& table, const QVariantMap& values);
    // The first row (in row order) whose `field` holds `value`: changed, or deleted.
    static void change(const QString& table, const QString& field, const QVariant& value, const QVariantMap& changes);
    static void remove(const QString& table, const QString& field, const QVariant& value);

    // Runs statements on the database file outside the program.
    void behindTheProgram(const QString& statements) const;

    // Every entry of the journal, in order.
    static QList<JournalEntry> entries();
    static JournalEntry lastEntry(const QString& action = {});

    TestFolder folder;
    ScriptedDialogs dialogs;
    QSqlDatabase db;
};
