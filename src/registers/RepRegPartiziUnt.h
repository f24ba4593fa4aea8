#pragma once

#include "printing/CsvTable.h"
#include "printing/ReportFrame.h"

#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <memory>

// Which ledger by type is printed: where its rows come from and what its
// title says.
struct LedgerKind {
    enum class Source {
        Incomes,         // every income line of the type, from Venituri
        ExpenseRegister, // the register work table filled by CalculRegistruPartizi
    };
    Source source;
    QString caption;            // window caption
    QString title;              // "Registru partizi venituri"
    QString typeLabel;          // "Natura venitului"
    QString explanationHeading; // "EXPLICATIA VENITURILOR"
    QString explanationNote;    // printed under the heading; may be empty

    static const LedgerKind& incomes();
    static const LedgerKind& expenses();
};

// A ledger by type: every document of one income or expense type in a
// period, with its amount and the cumulative total, both in the general
// number format (12.5, 150). Printed even when the period has no document.
// Holds no window: a report's unit, named as in the older program.
namespace TRepRegPartiziFrm
{

// The type's name on the title: the income type as the period's first
// income line names it (the catalogue's name when there is none), the
// expense type as its catalogue names it. Throws DbError.
std::unique_ptr<Report> build(const QSqlDatabase& db, const LedgerKind& kind, int code, const QDate& from,
                              const QDate& to);

// The printed rows of a built ledger, with their cumulative totals.
CsvTable csv(const Report& report, const LedgerKind& kind);

} // namespace TRepRegPartiziFrm
