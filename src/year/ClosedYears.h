#pragma once

#include <QList>

// The closed years: every year of Ani but its last row, in table order. The
// last row is the working year, whose data is the program folder itself.
QList<int> closedYearsOf(const QList<int>& knownYears);
// The same for the program folder's Ani; empty without Ani.
QList<int> closedYears();
