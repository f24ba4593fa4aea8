#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QTemporaryDir>

// A program folder of its own for one test: the program folder points at it
// while the object lives, and the connection is closed when it goes.
class TestFolder
{
public:
    TestFolder();
    // The program folder made inside `parentFolder` (a disk of the test's own).
    explicit TestFolder(const QString& parentFolder);
    ~TestFolder();

    QString path() const; // with trailing separator
    QString file(const QString& name) const { return path() + name; }
    QString databaseFile() const;

    // Creates the working year's database with the delivered contents and
    // opens the connection on it.
    QSqlDatabase openWorkingYear();
    // Closes `year` the way the year-end closing leaves things: a copy of the
    // database in the year folder, the year appended to Ani, and the working
    // year advanced to the next one.
    void closeYear(int year);
    // Writes a file with the given bytes.
    void write(const QString& name, const QByteArray& bytes) const;

private:
    QTemporaryDir m_dir;
};

// Runs a statement on the program's connection; fails the test on error.
void execOrFail(const QString& statement);

// The number of rows the table holds in the program's database.
int storedRows(const QString& table);
