#pragma once

#include <QString>

// An amount of lei and bani in Romanian words, in the program's compact
// style: the words of one three-digit group are written together
// ("douasutetreizecisipatru"), the groups and their unit words apart.
// `diacritics` chooses the spelling with Romanian letters.
QString SumaInLitere(bool diacritics, double amount);

// The words of one group of three digits (without its unit word); from the
// thousands upward one and two are feminine ("una", "doua").
QString SpellGroup(int hundreds, int tens, int units, bool diacritics, int group);
