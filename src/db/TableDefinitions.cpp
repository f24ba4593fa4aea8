#include "db/TableDefinitions.h"

#include <QRegularExpression>

namespace
{

FieldDef str(const char* name, int size, bool required = false)
{
    return {QString::fromLatin1(name), FieldType::String, size, required};
}
FieldDef smallint(const char* name)
{
    return {QString::fromLatin1(name), FieldType::SmallInt, 0, false};
}
FieldDef integer(const char* name)
{
    return {QString::fromLatin1(name), FieldType::Integer, 0, false};
}
FieldDef flt(const char* name, bool required = false)
{
    return {QString::fromLatin1(name), FieldType::Float, 0, required};
}
FieldDef date(const char* name)
{
    return {QString::fromLatin1(name), FieldType::Date, 0, false};
}
FieldDef autoinc(const char* name)
{
    return {QString::fromLatin1(name), FieldType::AutoInc, 0, false};
}

IndexDef key(const char* name, const char* fields, bool unique = true, bool caseInsensitive = false)
{
    return {QString::fromLatin1(name), QString::fromLatin1(fields).split(QLatin1Char(';')), unique,
            caseInsensitive};
}

QList<TableDef> buildDefinitions()
{
    QList<TableDef> t;

    t.append({"Parohia",
              {str("Arhiepiscopia", 30), str("Protopopiatul", 30), str("Parohia", 30), str("Strada", 30),
               str("Nr", 10), str("Localitatea", 20), str("Judet", 20), str("Preot", 25), str("Epitrop", 25),
               str("Banca", 25), str("Cont bancar", 30), integer("An_lucru"), flt("Val_contributie")},
              {},
              {}});

    t.append({"Contor",
              {flt("Sold_init_casa"), flt("Sold_init_banca"), flt("Count_venit"), flt("Count_chelt"),
               flt("PretInOut"), flt("PretOut"), integer("CodVenLum"), integer("CodChLum"),
               integer("CodVenContrib")},
              {},
              {}});

    t.append({"Tip_venituri",
              {smallint("Cod_venit"), str("Denumire", 100), str("Explicatie_venit", 100)},
              key("Primary", "Cod_venit"),
              {}});

    t.append({"Tip_cheltuieli",
              {smallint("Cod_cheltuiala"), str("Denumire", 100), str("Explicatie_cheltuiala", 100)},
              key("Primary", "Cod_cheltuiala"),
              {}});

    t.append({"Tip_doc", {str("Denumire", 15)}, {}, {}});

    t.append({"Venituri",
              {flt("Nr_act"), date("Data"), str("Den_venit", 100), smallint("Cod_venit"),
               str("Cod_enorias", 10), str("Den_enorias", 30), date("Data_registru"), str("Explicatie", 100),
               flt("Valoarea"), str("Cont", 15), flt("Nr_registru"), str("Fel", 15), flt("Cant_lumanari")},
              {},
              {}});

    t.append({"Cheltuieli",
              {smallint("Cod_cheltuiala"), date("Data"), flt("Nr_act"), str("Den_cheltuiala", 100),
               date("Data_registru"), flt("Nr_registru"), str("Explicatie", 100), flt("Valoarea"),
               str("Cont", 15), str("Fel", 15), flt("Cant_lumanari"), str("Beneficiar", 100)},
              {},
              {}});

    for (const char* name : {"Depuneri", "Ridicari"})
        t.append({name, {flt("Nr_doc"), date("Data"), flt("Suma"), str("Fel", 15)}, {}, {}});

    t.append({"CheltSal",
              {autoinc("Id"), date("Data"), flt("Nr_act"), str("Cont", 15), str("Explicatie", 100)},
              key("Primary", "Id"),
              {}});

    t.append({"ItemsSal",
              {flt("Id_CheltSal"), autoinc("Nr_act_sec"), smallint("Cod_cheltuiala"),
               str("Den_cheltuiala", 100), flt("Valoarea"), str("Explicatie", 100)},
              key("Primary", "Nr_act_sec"),
              {key("Id_CheltSal", "Id_CheltSal", false)}});

    // Two rows may share a row number (the expenses title and the first row
    // after it); the key orders them without refusing the second.
    t.append({"Bilant",
              {smallint("Nr_rand"), str("Denumire", 100), flt("Prevederi"), flt("Executie"),
               str("Formula", 200), str("Cont1", 30), str("Cont", 30)},
              key("Primary", "Nr_rand", false),
              {}});

    t.append({"Registru",
              {date("Data"), flt("Nr_doc"), str("Fel", 30), str("Explicatii", 100), flt("IncasariC"),
               flt("RidicariC"), flt("PlatiC"), flt("DepuneriC"), flt("SoldC"), flt("IncasariB"),
               flt("DepuneriB"), flt("PlatiB"), flt("RidicariB"), flt("SoldB"), flt("SoldT"), autoinc("Id")},
              key("Primary", "Id"),
              {}});

    t.append({"Pangar",
              {date("Data"), flt("Nr_doc"), str("Fel", 30), flt("CantitateIn"), flt("CantitateOut"),
               flt("Stoc"), flt("ValoareIn"), flt("ValoareOut"), flt("Sold"), autoinc("Id")},
              key("Primary", "Id"),
              {}});

    t.append({"Stoc",
              {autoinc("ID"), str("Denumire", 255, true), str("Descriere", 255), flt("Cantitate", true),
               str("UM", 10), flt("Pret", true), date("DataIn"), date("DataOut")},
              key("Primary", "ID"),
              {key("Den", "Denumire;ID", false, true)}});

    t.append({"DocIn",
              {autoinc("Cod"), flt("Numar"), date("Data"), str("Tip", 20), str("Furnizor", 50),
               str("Explicatie", 100)},
              key("Primary", "Cod"),
              {}});

    t.append({"ItemIn",
              {flt("Cod"), autoinc("Cod_secundar"), flt("Cod_articol"), str("Denumire", 50), flt("Cantitate"),
               str("UM", 15), flt("Pret_achizitie"), flt("Valoare")},
              key("Primary", "Cod_secundar"),
              {key("Cod", "Cod", false)}});

    t.append({"Furnizori", {str("Cod_furn", 10), str("Denumire", 100)}, {}, {}});

    t.append({"Enoriasi",
              {str("Cod_enorias", 10, true), str("Nume_prenume", 30, true), str("Strada", 25), str("Nr", 10),
               str("Tip_contributie", 20, true), flt("Restanta")},
              key("Primary", "Cod_enorias;Nume_prenume;Strada;Nr"),
              {key("Nume_prenume", "Nume_prenume;Strada;Nr;Cod_enorias", false, true),
               key("Strada", "Strada;Nr;Nume_prenume;Cod_enorias", false, true),
               key("Nr", "Nr;Strada;Nume_prenume;Cod_enorias", false, true)}});

    t.append({"MembriiFam",
              {str("Cod_enorias", 10), str("Numele", 50), date("Data_nasterii"), str("Starea_civila", 15),
               date("Data_casatoriei"), date("Data_mortii"), str("Religia", 30), str("Ocupatia", 30),
               str("Observatii", 100)},
              key("PrimaryIdx", "Cod_enorias;Numele;Data_nasterii"),
              {}});

    t.append(
        {"Botezuri",
         {str("Cod_enorias", 10), flt("Numar"), date("Data"), date("Data_nasterii"), date("Data_botezului"),
          str("Nume_prunc", 50), str("Legitim", 1), str("Natural", 1), str("Nume_parinti", 100),
          str("Nume_nasi", 100), str("Nume_preot", 100), str("Autoritatea", 30), str("Observatii", 100)},
         key("Cod_enorias", "Cod_enorias", false),
         {}});

    t.append(
        {"Cununii",
         {str("Cod_enorias", 10), flt("Numar"), date("Data"), str("Nume_mire", 50), flt("Varsta_mire"),
          str("Starea_mire", 30), str("Nume_mireasa", 50), flt("Varsta_mireasa"), str("Starea_mireasa", 30),
          str("Nume_nasi", 100), str("Nume_preot", 100), str("Observatii", 100)},
         key("Cod_enorias", "Cod_enorias", false),
         {}});

    t.append({"Inmormantari",
              {str("Cod_enorias", 10), flt("Numar"), date("Data"), str("Nume_decedat", 50), str("Sex_M", 1),
               str("Sex_F", 1), flt("Varsta"), str("Profesia", 30), str("Cauza_mortii", 100),
               str("Nume_preot", 100), str("Data_Loc_Inmorm", 100), str("Observatii", 100)},
              key("PrimaryIdx", "Cod_enorias;Numar;Data"),
              {}});

    t.append({"Activitati",
              {str("Cod_enorias", 10), date("Data"), str("Explicatie", 100)},
              key("Cod_enorias", "Cod_enorias", false),
              {}});

    // The list of closed years: created by the first year-end rollover, so a
    // new installation has none.
    TableDef ani{"Ani", {integer("Valoare")}, {}, {}};
    ani.createdWithDatabase = false;
    t.append(ani);

    return t;
}

} // namespace

const FieldDef* TableDef::field(const QString& fieldName) const
{
    for (const FieldDef& f : fields)
        if (f.name.compare(fieldName, Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

namespace TableDefinitions
{

const QList<TableDef>& all()
{
    static const QList<TableDef> definitions = buildDefinitions();
    return definitions;
}

QString tableNameOf(const QString& fileName)
{
    const int dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? fileName.left(dot) : fileName;
}

const TableDef* find(const QString& tableName)
{
    const QString name = tableNameOf(tableName);
    for (const TableDef& t : all())
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

QString sqlIndexName(const QString& table, const QString& index)
{
    return table + QLatin1Char('_') + index;
}

QString declaredType(const FieldDef& field)
{
    switch (field.type) {
    case FieldType::String:
        return QStringLiteral("VARCHAR(%1)").arg(field.size);
    case FieldType::SmallInt:
        return QStringLiteral("SMALLINT");
    case FieldType::Integer:
        return QStringLiteral("INTEGER");
    case FieldType::Float:
        return QStringLiteral("FLOAT");
    case FieldType::Date:
        return QStringLiteral("DATE");
    case FieldType::AutoInc:
        return QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    }
    return {};
}

FieldDef fieldFromDeclaredType(const QString& name, const QString& declared, bool primaryKey,
                               bool autoIncrementTable)
{
    FieldDef f{name, FieldType::String, 20, false};
    const QString upper = declared.toUpper();
    static const QRegularExpression sizePattern(QStringLiteral("\\(\\s*(\\d+)\\s*\\)"));
    if (upper.contains(QLatin1String("CHAR")) || upper.contains(QLatin1String("TEXT")) || upper.isEmpty()) {
        const auto match = sizePattern.match(upper);
        f.size = match.hasMatch() ? match.captured(1).toInt() : 20;
    } else if (upper.startsWith(QLatin1String("SMALLINT"))) {
        f.type = FieldType::SmallInt;
    } else if (upper.startsWith(QLatin1String("INT"))) {
        f.type = primaryKey && autoIncrementTable ? FieldType::AutoInc : FieldType::Integer;
    } else if (upper.contains(QLatin1String("FLOAT")) || upper.contains(QLatin1String("REAL")) ||
               upper.contains(QLatin1String("DOUB")) || upper.contains(QLatin1String("NUM"))) {
        f.type = FieldType::Float;
    } else if (upper.startsWith(QLatin1String("DATE"))) {
        f.type = FieldType::Date;
    }
    if (f.type != FieldType::String)
        f.size = 0;
    return f;
}

} // namespace TableDefinitions
