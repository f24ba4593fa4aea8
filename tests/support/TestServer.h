#pragma once

#include <QSqlDatabase>
#include <QString>

// A database of its own on the tests' PostgreSQL server, whose address
// scripts/test-server.sh gives in LUMIVARET_TEST_SERVER; dropped (with the
// program's connection closed first) when the object goes.
class TestServerDatabase
{
public:
    TestServerDatabase();
    ~TestServerDatabase();
    TestServerDatabase(const TestServerDatabase&) = delete;
    TestServerDatabase& operator=(const TestServerDatabase&) = delete;

    // The server's address, empty when no server was started for the tests.
    static QString serverAddress();

    // "postgresql://postgres@127.0.0.1:PORT/<this database>"
    QString address() const;

    // Opens the program's connection on the database and creates the working
    // year's schema "parohie" with the delivered contents; the working year is
    // this year, as in a new database file.
    QSqlDatabase openWorkingYear();

private:
    QString m_name;
};

// Skips the test where no server was started (a developer's plain run of a
// test program); scripts/test.sh always starts one.
#define SKIP_WITHOUT_TEST_SERVER()                                                                             \
    do {                                                                                                       \
        if (TestServerDatabase::serverAddress().isEmpty())                                                     \
            GTEST_SKIP() << "LUMIVARET_TEST_SERVER lipseste: porniti testele cu scripts/test-server.sh";      \
    } while (false)
