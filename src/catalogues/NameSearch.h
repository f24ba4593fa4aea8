#pragma once

#include <QString>
#include <functional>

// The incremental search of a list ordered by name: the first name, in the
// list's order, that starts with the typed text as written (without regard to
// case, "ş" counting as "ș"); else the first that starts with it once the
// diacritics are left out on both sides, so that "ser" finds "Șerban" on a
// keyboard without Romanian letters. -1 when no name starts with it.
int findNameStartingWith(int count, const std::function<QString(int row)>& nameOf, const QString& typed);

// The text in lower case without its diacritics: "Șerban" gives "serban".
QString withoutDiacritics(const QString& text);
