#pragma once

#include "transfer/ImportReport.h"

#include <QStringList>

// Brings a parish's older table files into the program folder: the chosen
// folder's tables become the working year's database, each of its year
// folders (four-digit names) a closed year's database in program folder +
// year. All databases are built under temporary names first and put in place
// together; a database replaced is kept beside the new one
// (BazaDate-inainte-de-import-YYYYMMDD-HHMMSS.sqlite). At the end Import.txt
// in the program folder holds the summary of every table.
class OldDataImport
{
public:
    OldDataImport(const QString& sourceFolder, const QString& programFolder);

    // Why the chosen folder cannot be imported (missing, or holding no table
    // of the program); empty when it can.
    QString folderProblem() const;

    // The existing databases the import would replace that hold documents:
    // they are replaced only when the user agrees.
    QStringList databasesWithDocuments() const;

    struct Outcome {
        QList<YearSummary> years;
        QString reportText;     // the text written to Import.txt
        QStringList keptCopies; // the replaced databases, under their new names
    };

    // Throws ImportError, leaving the program folder exactly as it was: when
    // the folder cannot be imported, when a database with documents would be
    // replaced without `replaceDocuments`, or when a file stops the import.
    Outcome run(bool replaceDocuments);

    static inline const QString reportFileName = QStringLiteral("Import.txt");

    // Completes an import cut short (by a crash or a power loss) while its
    // databases were being put in place, and removes the temporary folders
    // of imports stopped earlier. Run at the start of the program, before
    // its database is opened, and before each import. Throws ImportError.
    static void finishInterrupted(const QString& programFolder);
    // The temporary folder an import builds its databases in, in the program
    // folder: hidden, and never taken for a year folder.
    static inline const QString stagingPrefix = QStringLiteral(".import-incomplet-");

private:
    // The years to import: 0 for the chosen folder itself, then the year folders in order.
    QList<int> years() const;
    QString sourceOf(int year) const;
    QString targetOf(int year) const;

    QString m_source;
    QString m_programFolder;
};
