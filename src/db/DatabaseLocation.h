#pragma once

#include <QList>
#include <QObject>
#include <QString>

// Where the parish's tables live: the working year's database in the program
// folder, each closed year's in the year folder (program folder + year), and
// the switch of the connection between them.
class DatabaseLocation : public QObject
{
    Q_OBJECT
public:
    static inline const QString databaseFileName = QStringLiteral("BazaDate.sqlite");

    static DatabaseLocation& instance();

    QString workingYearDatabase() const;
    static QString yearFolder(int year);

    // Folder of the database the connection is on (with trailing separator).
    QString currentFolder() const;
    bool isClosedYearOpen() const { return m_closedYearOpen; }

    // Opens the connection on the working year's database; at the very first
    // start (no database file yet) creates it with the delivered contents and
    // the computer's year as working year. Throws DbError.
    void openWorkingYear();

    struct SwitchResult {
        bool ok = true;
        QString message;       // why the switch was refused
        bool switched = false; // the connection moved (its record sources closed)
    };

    // Points the connection at the year chosen in the year list: the working
    // year when `isFirstEntry`, else the closed year's folder named by the text.
    // A text that is not a four-digit year, or a year without a database, is
    // refused and the connection stays where it was. The year already open is
    // left as it is: its record sources stay open with what is typed in them.
    SwitchResult switchToYear(const QString& yearText, bool isFirstEntry);

    // The years of `Ani` in the program folder's database, in table order,
    // whichever year the connection is on; empty when there is no such table.
    QList<int> knownYears() const;

Q_SIGNALS:
    void closedYearChanged(bool closedYearOpen);
    // The connection now stands on another year's database: the record
    // sources open before were closed, and a window still open reopens its
    // own here (never on their closing, when the old file is still open).
    void yearSwitched();

private:
    DatabaseLocation() = default;
    void setClosedYearOpen(bool open);

    bool m_closedYearOpen = false;
};
