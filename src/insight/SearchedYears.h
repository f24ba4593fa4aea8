#pragma once

#include "insight/DocumentSearch.h"

#include <QList>
#include <QMap>
#include <QSqlDatabase>
#include <QString>

// The years a search covers: the one the program's connection stands on and,
// when asked, every other year of the parish (the working year and the closed
// years), each opened for reading only, once, and kept open until the object
// goes. A year without an index of its own (closed by an earlier release)
// gets one for the reading, in memory.
class SearchedYears
{
public:
    SearchedYears() = default;
    ~SearchedYears();
    SearchedYears(const SearchedYears&) = delete;
    SearchedYears& operator=(const SearchedYears&) = delete;

    // The year the program's connection stands on.
    static int currentYear();

    // Runs the search on the current year, then on the others when `allYears`;
    // the documents of all of them in one order. A limited search stops once
    // it has `limit` documents. Throws DbError.
    QList<FoundDocument> search(const SearchCriteria& criteria, bool allYears);

    // Closes the other years' databases (the next search opens them again).
    void close();

private:
    QSqlDatabase otherYear(int year);

    QMap<int, QString> m_connections; // year -> connection name
};
