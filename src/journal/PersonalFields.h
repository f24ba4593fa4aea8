#pragma once

#include <QList>
#include <QString>

// The fields that hold what a family's records and receipts say about its
// people: their names, addresses and remarks. One list for the anonymisation,
// the export of a person's data and the journal report's CSV.
struct PersonalField {
    enum class Kind {
        Name,       // a person's name: replaced by the anonymous name
        Text,       // an address, an occupation, a remark: emptied
        NameInside, // a text that may name the person among other words: the name replaced in it
    };
    QString name;
    Kind kind;
};

struct PersonalTable {
    QString table;
    QList<PersonalField> fields;

    // The field of that name (any case), or nullptr.
    const PersonalField* find(const QString& field) const;
};

namespace PersonalFields
{

inline const QString codeField = QStringLiteral("Cod_enorias");
inline const QString familyTable = QStringLiteral("Enoriasi");
inline const QString membersTable = QStringLiteral("MembriiFam");
inline const QString receiptsTable = QStringLiteral("Venituri");

// The family record, its five kinds of records and the receipts, in that order.
const QList<PersonalTable>& all();
// The table of that name (any case), or nullptr.
const PersonalTable* find(const QString& table);

// Whether a value of the field is a person's name, address or remark that the
// journal report's CSV shows only when asked (a text that may hold a name
// among other words, an income's explanation, stays shown).
bool isHiddenInCsv(const QString& table, const QString& field);

// What the CSV shows in place of such a value.
inline const QString hiddenText = QStringLiteral("(date personale)");

} // namespace PersonalFields
