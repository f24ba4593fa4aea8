#pragma once

class Dataset;

// What a family member needs before it is stored: a name (the family sheet
// and the record card print members by name), and a name and birth date
// that no other member of the same family has (the table's key). Warns in
// the family's words and throws SilentAbort; `members` shows the rows of one
// family, the member being stored among them.
void checkFamilyMember(const Dataset& members);
