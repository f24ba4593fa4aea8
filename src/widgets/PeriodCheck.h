#pragma once

class QDate;

// Whether `from`..`to` is a period the program can work on: a start after
// the end is refused with "Intervalul de timp nu este corect! <to> < <from>".
bool acceptPeriod(const QDate& from, const QDate& to);
