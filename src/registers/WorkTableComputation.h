#pragma once

#include <QSqlDatabase>
#include <QStringList>
#include <functional>

// The frame of a computation that fills a work table (the register, the
// candle-shop register) from the documents.
namespace WorkTableComputation
{

// Empties `table` and runs `fill`, all in one transaction: a failure leaves the
// work table as the last computation left it. Emptying fails with "Nu pot crea
// fisierul :<folder><table>. Inchideti ..."; any later store error with
// "Eroare de acces la tabela <tableWord>!..."; both as UserError.
void run(const QSqlDatabase& db, const QString& table, const QString& tableWord,
         const std::function<void()>& fill);

// Runs the statements in order; ":Data" stands for 1 January of the working year.
void execWithOpeningDate(const QSqlDatabase& db, const QStringList& statements);

} // namespace WorkTableComputation
