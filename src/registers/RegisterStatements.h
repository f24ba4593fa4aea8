#pragma once

#include <QString>
#include <QStringList>

// The statements that fill the register work table, in the order they run.
namespace RegisterStatements
{

// The full register, before its balance pass: the opening rows (":Data" is
// 1 January of the working year), the receipts, withdrawals, deposits,
// payments and salary orders, then the empty amounts set to zero.
const QStringList& fullRegister();

// The rows in the order of the balance pass and of the reports: by date,
// then as inserted. Reads the row's id and its eight movement columns.
QString balanceRead();
// Stores one row's balances: SoldC, SoldB, SoldT, then the id.
QString balanceWrite();

// One expense type's payments and salary orders (":Cod" is the type).
const QStringList& expenseType();

// Drops the undated rows, last step of both computations.
QString undatedRows();

} // namespace RegisterStatements
