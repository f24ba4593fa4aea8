#pragma once

#include "printing/CsvTable.h"
#include "printing/ReportFrame.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class Progress;
class QWidget;

// The answers a report runs with: from the user's dialogs in the menus, from
// the command line (or the defaults) in a batch run.
struct ReportAnswers {
    QDate from, to;             // the period, when the report asks one; a reference date is `to`
    QString code;               // the code picked in a catalogue, when the report asks one
    QHash<QString, bool> yesNo; // by question key
    bool yes(const QString& key) const { return yesNo.value(key); }
};

// A catalogue's picker, for the menus: the chosen code, empty when cancelled.
using CodePicker = std::function<std::optional<QString>(QWidget* caller)>;

// A code the report asks for, taken from one catalogue table.
struct ReportCodeQuestion {
    QString table;   // "Tip_cheltuieli"
    QString field;   // "Cod_cheltuiala"
    CodePicker pick; // the catalogue's picker, for the menus
    // Without a code the report covers every row of the table.
    bool optional = false;
};

// A yes/no question, asked in the menus; a batch run takes its default answer.
struct ReportYesNoQuestion {
    QString key;
    QString text;
    bool defaultAnswer = false;
};

// One report of the program, known to the menus and to the command line alike.
struct ReportEntry {
    QString name;    // command-line name: "registru-incasari-plati"
    QString caption; // shown by --list-reports
    QString command; // the main window's menu command: "RegIncasariPlati"
    // A second menu command that runs the report of every row without asking
    // the optional code: "FiseleToate".
    QString commandForAll;

    bool asksPeriod = false;
    // One reference date instead of a period: the calendar in the menus (today
    // proposed), --to on the command line (31 December of the working year by default).
    bool asksReferenceDate = false;
    std::optional<ReportCodeQuestion> code;
    QList<ReportYesNoQuestion> questions;
    ReportFrame::Defaults defaults;

    // The computation that fills the report's work table, run after the
    // questions and before the report is built; may be empty. Throws on failure.
    std::function<void(const ReportAnswers&, Progress&)> prepare;
    // Reads the report's data and builds it. Throws DbError when the store fails.
    std::function<std::unique_ptr<Report>(const ReportAnswers&)> build;
    // The printed detail rows of a built report, for the CSV export.
    std::function<CsvTable(const Report&, const ReportAnswers&)> csv;
};

// Every report of the program, registered once at start by each subsystem
// (registerRegisterReports(catalog), ...) in the order the list shows them.
class ReportCatalog
{
public:
    // Throws std::invalid_argument for a second report of the same name or command.
    void add(ReportEntry entry);

    const QList<ReportEntry>& entries() const { return m_entries; }
    const ReportEntry* find(const QString& name) const;
    const ReportEntry* findByCommand(const QString& command) const;

private:
    QList<ReportEntry> m_entries;
};
