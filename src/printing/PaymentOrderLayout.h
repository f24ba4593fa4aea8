#pragma once

#include "printing/ReportFrame.h"

#include <QSqlDatabase>

// The page shared by both payment orders: the parish's header, "ORDIN DE
// PLATA" with its number and date, the beneficiary, the purpose, the amount in
// figures and in words, and the signatures.
namespace PaymentOrderLayout
{

// Builds the order over `order` (its first row: Data, Nr_act, Explicatie,
// Valoarea) with the beneficiary from `beneficiaryField` of the order, or, when
// that is empty, the fixed text `beneficiary`. Reads Parohia. Throws DbError.
std::unique_ptr<Report> build(const QSqlDatabase& db, ReportTable order, const QString& beneficiaryField,
                              const QString& beneficiary = {});

} // namespace PaymentOrderLayout
