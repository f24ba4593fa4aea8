#pragma once

#include <QSqlDatabase>

// Realistic data for tests and benchmarks: a parish's incomes, expenses and
// parishioners over one year, repeatable for a given seed.
namespace SampleData
{

struct Sizes {
    int parishioners = 300;
    int incomes = 2000;
    int expenses = 600;
};

// Adds the rows to a database that has the delivered contents (types).
void fillYear(const QSqlDatabase& db, int year, const Sizes& sizes, unsigned seed = 1);

} // namespace SampleData
