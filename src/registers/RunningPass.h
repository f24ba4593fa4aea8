#pragma once

#include <QSqlDatabase>
#include <QString>
#include <functional>
#include <span>

class Progress;

// The last step of a work table's computation: each row's running amounts
// (balances, stock and its value) follow from the row before and the row's own
// movements, in the order of the reports.
struct RunningPass {
    // Turns the running amounts of the row before (all zero before the first
    // row) into this row's, in place.
    using Advance = std::function<void(std::span<const double> movements, std::span<double> running)>;

    QString read;  // the rows in their order: the id, then the movements
    QString write; // stores one row: its running amounts in order, then the id
    QString table; // named in the message of a refused write
    int runningCount = 0;
    QString caption; // of the progress, which steps once per row
    Advance advance;

    // Reads every row first, then stores each row's running amounts. Throws DbError.
    void run(const QSqlDatabase& db, Progress& progress) const;

private:
    // The same on a PostgreSQL server, through Qt's statements.
    void runOnServer(const QSqlDatabase& db, Progress& progress) const;
};
