#include "registers/RunningPass.h"

#include "core/Progress.h"
#include "db/SqliteHandle.h"
#include "db/SqliteStatement.h"

#include <sqlite3.h>
#include <vector>

void RunningPass::run(const QSqlDatabase& db, Progress& progress) const
{
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
