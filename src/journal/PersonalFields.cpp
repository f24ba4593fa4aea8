#include "journal/PersonalFields.h"

namespace
{

PersonalField name(const char* field)
{
    return {QString::fromLatin1(field), PersonalField::Kind::Name};
}

PersonalField text(const char* field)
{
    return {QString::fromLatin1(field), PersonalField::Kind::Text};
}

} // namespace

const PersonalField* PersonalTable::find(const QString& field) const
{
    for (const PersonalField& f : fields)
        if (f.name.compare(field, Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

namespace PersonalFields
{

const QList<PersonalTable>& all()
{
    static const QList<PersonalTable> tables{
        {familyTable, {name("Nume_prenume"), text("Strada"), text("Nr")}},
        {membersTable, {name("Numele"), text("Religia"), text("Ocupatia"), text("Observatii")}},
        {QStringLiteral("Botezuri"),
         {name("Nume_prunc"), text("Nume_parinti"), text("Nume_nasi"), text("Observatii")}},
        {QStringLiteral("Cununii"),
         {name("Nume_mire"), name("Nume_mireasa"), text("Nume_nasi"), text("Observatii")}},
        {QStringLiteral("Inmormantari"),
         {name("Nume_decedat"), text("Profesia"), text("Cauza_mortii"), text("Data_Loc_Inmorm"),
          text("Observatii")}},
        {QStringLiteral("Activitati"), {text("Explicatie")}},
        {receiptsTable,
         {name("Den_enorias"), {QStringLiteral("Explicatie"), PersonalField::Kind::NameInside}}},
    };
    return tables;
}

const PersonalTable* find(const QString& table)
{
    for (const PersonalTable& t : all())
        if (t.table.compare(table, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

bool isHiddenInCsv(const QString& table, const QString& field)
{
    const PersonalTable* personal = find(table);
    const PersonalField* f = personal ? personal->find(field) : nullptr;
    return f && f->kind != PersonalField::Kind::NameInside;
}

} // namespace PersonalFields
