#pragma once

#include "db/TableDefinitions.h"

#include <QString>
#include <QVariant>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

// The stored values of a table's rows kept compactly, a few bytes a value
// instead of a QVariant each: a large table read whole stays small in memory.
//
// A packed row is a null mask, one fixed slot per column (numbers as double
// or integer, dates as their Julian day, texts as the end of their bytes) and
// then the texts in UTF-8. Rows live in large blocks owned by the store and
// stay where they are until clear(); a row changed by an edit is packed anew.
class PackedRows
{
public:
    using RowRef = const std::byte*;

    void setColumnTypes(const std::vector<FieldType>& types);
    int columnCount() const { return int(m_types.size()); }
    void clear();

    // Builds rows one after another: every column of a row starts null; texts
    // are set in column order.
    class Builder
    {
    public:
        explicit Builder(PackedRows& rows);
        void start();
        void setNumber(int column, double value);
        void setInteger(int column, qint64 value);
        void setJulianDay(int column, qint64 day);
        void setText(int column, const char* utf8, int size);
        // Sets a value of the column's type (a QVariant as the record holds it).
        void setValue(int column, const QVariant& value);
        RowRef finish();

    private:
        PackedRows& m_rows;
        std::vector<std::byte> m_fixed;
        std::string m_texts;
    };

    RowRef pack(const QVariantList& values);
    bool isNull(RowRef row, int column) const;
    QVariant value(RowRef row, int column) const;

private:
    std::byte* allocate(size_t size);

    std::vector<FieldType> m_types;
    std::vector<int> m_offsets;      // of each column's slot from the row's start
    std::vector<int> m_previousText; // the text column before each one, -1 for none
    int m_fixedSize = 0;             // null mask and slots
    std::vector<std::unique_ptr<std::byte[]>> m_blocks;
    size_t m_blockUsed = 0;
    size_t m_blockSize = 0;
};
