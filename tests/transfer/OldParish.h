#pragma once

#include "support/FolderContents.h"
#include "support/OldTableFile.h"

#include <QByteArray>
#include <QMap>
#include <QStringList>
#include <QTemporaryDir>

// A folder of the older program's table files for one test, and the program
// folder's state to compare before and after an import.
class OldParish
{
public:
    QString path() const { return m_dir.path() + QLatin1Char('/'); }
    // `name` may lie in a year folder: "2023/Venituri.DB".
    void write(const QString& name, const QList<OldTableFile::Field>& fields,
               const QList<OldTableFile::Row>& rows) const;
    // A small income table of the given rows, each (act number, amount).
    void incomes(const QString& name, const QList<std::pair<int, double>>& rows) const;

private:
    QTemporaryDir m_dir;
};

// Runs a statement on a database file and gives the rows, each as its values joined by '|'.
QStringList rowsOf(const QString& databaseFile, const QString& statement);
