#include "registers/RunningPass.h"

#include "core/Progress.h"
#include "db/ConnectionFailure.h"
#include "db/Sql.h"
#include "db/SqliteHandle.h"
#include "db/SqliteStatement.h"
#include "db/Store.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <sqlite3.h>
#include <vector>

void RunningPass::run(const QSqlDatabase& db, Progress& progress) const
{
    if (Store::of(db).isServer()) {
        runOnServer(db, progress);
        return;
    }
    sqlite3* handle = sqliteHandle(db);

    // Read whole before the first write, which would otherwise disturb the reading.
    std::vector<qint64> ids;
    std::vector<double> movements;
    int movementCount = 0;
    {
        SqliteStatement reader(handle, read);
        sqlite3_stmt* s = reader.raw();
        movementCount = sqlite3_column_count(s) - 1;
        while (reader.step()) {
            ids.push_back(sqlite3_column_int64(s, 0));
            for (int i = 1; i <= movementCount; ++i)
                movements.push_back(sqlite3_column_double(s, i));
        }
    }

    ProgressScope scope(progress, caption, int(ids.size()));
    SqliteStatement writer(handle, write, table);
    sqlite3_stmt* s = writer.raw();
    std::vector<double> running(std::size_t(runningCount), 0.0);
    for (std::size_t row = 0; row < ids.size(); ++row) {
        advance(std::span<const double>(movements).subspan(row * std::size_t(movementCount),
                                                           std::size_t(movementCount)),
                running);
        writer.reset();
        for (int i = 0; i < runningCount; ++i)
            sqlite3_bind_double(s, i + 1, running[std::size_t(i)]);
        sqlite3_bind_int64(s, runningCount + 1, ids[row]);
        writer.step();
        scope.step(int(row) + 1);
    }
}

void RunningPass::runOnServer(const QSqlDatabase& db, Progress& progress) const
{
    std::vector<qint64> ids;
    std::vector<double> movements;
    {
        QSqlQuery reader = Sql::exec(db, read);
        while (reader.next()) {
            ids.push_back(reader.value(0).toLongLong());
            for (int i = 1; i < reader.record().count(); ++i)
                movements.push_back(reader.value(i).toDouble());
        }
    }
    const std::size_t movementCount = ids.empty() ? 0 : movements.size() / ids.size();

    ProgressScope scope(progress, caption, int(ids.size()));
    QSqlQuery writer(db);
    if (!writer.prepare(write))
        ConnectionFailure::raise(db, writer.lastError(), table);
    std::vector<double> running(std::size_t(runningCount), 0.0);
    for (std::size_t row = 0; row < ids.size(); ++row) {
        advance(std::span<const double>(movements).subspan(row * movementCount, movementCount), running);
        for (int i = 0; i < runningCount; ++i)
            writer.bindValue(i, running[std::size_t(i)]);
        writer.bindValue(runningCount, ids[row]);
        if (!writer.exec())
            ConnectionFailure::raise(db, writer.lastError(), table);
        scope.step(int(row) + 1);
    }
}
