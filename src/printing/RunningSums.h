#pragma once

#include <QString>
#include <optional>
#include <vector>

struct ReportTable;

// The running sum of every field of a report's tables over the rows added so
// far. Every numeric field is kept, not only those a SUM element shows, so a
// handler reads the true sum of any field. Texts and dates add nothing.
class RunningSums
{
public:
    // Starts the sums of a table at 0 (a table already kept is left as it is).
    void track(const ReportTable* table);
    void add(const ReportTable* table, int row);
    // Empty when the table is not kept or has no such field.
    std::optional<double> value(const ReportTable* table, const QString& field) const;

private:
    struct TableSums {
        const ReportTable* table;
        std::vector<double> sums; // one per field
    };
    TableSums* find(const ReportTable* table);
    const TableSums* find(const ReportTable* table) const;

    std::vector<TableSums> m_tables;
};
