#include "db/InitialContents.h"

#include "db/Sql.h"

#include <QStringList>

namespace InitialContents
{

namespace
{

struct TypeRow {
    int code;
    const char* name;
    const char* explanation;
};

const TypeRow incomeTypes[] = {
    {2, "Contributia anuala a credinciosilor", "Contributie anuala pe familie"},
    {3, "Taine si ierurgii", "Contributie benevola la botez, cununie, inmormantare, parastas, sfestanie"},
    {4, "Pomelnice si acatiste", "Pomelnice, acatiste, liturghii la cerere"},
    {5, "Lumanari", "Vanzare lumanari la pangar"},
    {6, "Pangar", "Vanzare carti, calendare, icoane si obiecte de cult"},
    {7, "Donatii", "Donatie"},
    {8, "Sponsorizari", "Suma primita prin contract de sponsorizare"},
    {9, "Sume redirectionate din impozitul pe venit", "Sume redirectionate prin formularul 230"},
    {10, "Colecte pentru nevoile parohiei", "Colecta"},
    {11, "Cimitir", "Concesiune loc de veci si taxa de intretinere"},
    {12, "Chirii si arenzi", "Chirie din bunurile parohiei"},
    {13, "Dobanzi bancare", "Dobanda bancara"},
    {14, "Sprijin de la bugetul local", "Sprijin de la consiliul local sau judetean"},
    {15, "Sprijin de la bugetul de stat", "Sprijin pentru constructie, reparatii, pictura"},
    {16, "Contributia judetului la salarii", "Contributie la salariile personalului neclerical"},
    {17, "Ajutoare de la Centrul eparhial", "Ajutor de la Centrul eparhial"},
    {18, "Alte venituri", "Alte venituri"},
    {19, "Colecte cu destinatie", "Colecta cu destinatie, de virat mai departe"},
};

const TypeRow expenseTypes[] = {
    {23, "Salarii clerici", "Plata salarii clerici"},
    {24, "Salarii personal neclerical", "Plata salarii cantaret, paracliser, ingrijitor"},
    {25, "Contributii si impozite salariale", "Plata contributii si impozit pe salarii"},
    {26, "Energie electrica", "Plata energie electrica"},
    {27, "Incalzire", "Plata gaze, combustibil"},
    {28, "Apa, canal, salubritate", "Plata apa, canal, salubritate"},
    {29, "Telefon, internet", "Plata telefon, internet"},
    {30, "Cheltuieli de cult", "Vin, tamaie, prescura, untdelemn"},
    {31, "Lumanari achizitionate", "Achizitie lumanari"},
    {32, "Marfa pentru pangar", "Achizitie carti, icoane, obiecte de cult pentru pangar"},
    {33, "Inzestrarea bisericii", "Vesminte, icoane, obiecte si carti de cult"},
    {34, "Reparatii si intretinere", "Reparatii si intretinere"},
    {35, "Constructii si investitii", "Constructii si investitii"},
    {36, "Pictura si restaurare", "Pictura si restaurare"},
    {37, "Intretinerea cimitirului", "Intretinerea cimitirului"},
    {38, "Contributii la Centrul eparhial", "Contributie la Centrul eparhial"},
    {39, "Contributii la Protopopiat", "Contributie la Protopopiat"},
    {40, "Filantropie si asistenta sociala", "Ajutor social"},
    {41, "Activitati pastoral-misionare si culturale", "Activitati pastoral-misionare si culturale"},
    {42, "Cheltuieli administrative", "Registre, chitantiere, birotica"},
    {43, "Comisioane bancare", "Comision bancar"},
    {44, "Deplasari", "Deplasare"},
    {45, "Alte cheltuieli", "Alte cheltuieli"},
    {46, "Virari colecte cu destinatie", "Virare colecta cu destinatie"},
};

const char* const documentKinds[] = {"CHIT", "OP", "DP", "DI", "FACT", "BF", "EXT", "SS", "PV"};

QString sumFormula(int from, int to)
{
    QStringList terms;
    for (int code = from; code <= to; ++code)
        terms << QString::number(code);
    return terms.join(QLatin1Char('+'));
}

void addBalanceRow(const QSqlDatabase& db, int number, const QString& name, const QString& formula = {},
                   const QString& account = {})
{
    Sql::exec(db,
              QStringLiteral("INSERT INTO Bilant (Nr_rand, Denumire, Formula, Cont) VALUES (:n, :d, :f, :c)"),
              {{QStringLiteral(":n"), number},
               {QStringLiteral(":d"), name},
               {QStringLiteral(":f"), formula.isEmpty() ? QVariant() : formula},
               {QStringLiteral(":c"), account.isEmpty() ? QVariant() : account}});
}

void writeTypes(const QSqlDatabase& db, const QString& table, const QString& codeField,
                const QString& explanationField, const TypeRow* begin, const TypeRow* end)
{
    const QString statement = QStringLiteral("INSERT INTO %1 (%2, Denumire, %3) VALUES (:c, :d, :e)")
                                  .arg(table, codeField, explanationField);
    for (const TypeRow* row = begin; row != end; ++row)
        Sql::exec(db, statement,
                  {{QStringLiteral(":c"), row->code},
                   {QStringLiteral(":d"), QString::fromUtf8(row->name)},
                   {QStringLiteral(":e"), QString::fromUtf8(row->explanation)}});
}

void writeBalanceSheet(const QSqlDatabase& db)
{
    addBalanceRow(db, 0, QStringLiteral("VENITURI"));
    addBalanceRow(db, 1, QStringLiteral("Sold la inceputul anului (casa si banca)"));
    for (const TypeRow& row : incomeTypes)
        addBalanceRow(db, row.code, QString::fromUtf8(row.name));
    addBalanceRow(db, 20, QStringLiteral("TOTAL VENITURI"), sumFormula(2, 19));
    addBalanceRow(db, 21, QStringLiteral("TOTAL DISPONIBIL"), QStringLiteral("1+20"), QStringLiteral("-"));
    addBalanceRow(db, 22, QStringLiteral("CHELTUIELI"));
    addBalanceRow(db, 22, QStringLiteral("Cheltuieli cu personalul"), QStringLiteral("23+24+25"));
    for (const TypeRow& row : expenseTypes)
        addBalanceRow(db, row.code, QString::fromUtf8(row.name));
    addBalanceRow(db, 47, QStringLiteral("TOTAL CHELTUIELI"), sumFormula(23, 46));
    addBalanceRow(db, 48, QStringLiteral("SOLD LA SFARSITUL PERIOADEI"), QStringLiteral("1+20-47"));
}

} // namespace

void write(const QSqlDatabase& db, int workingYear)
{
    for (const char* kind : documentKinds)
        Sql::exec(db, QStringLiteral("INSERT INTO Tip_doc (Denumire) VALUES (:d)"),
                  {{QStringLiteral(":d"), QString::fromLatin1(kind)}});

    Sql::exec(db, QStringLiteral("INSERT INTO Parohia (An_lucru) VALUES (:an)"),
              {{QStringLiteral(":an"), workingYear}});

    Sql::exec(db,
              QStringLiteral("INSERT INTO Contor (Sold_init_casa, Sold_init_banca, Count_venit, Count_chelt, "
                             "CodVenLum, CodChLum, CodVenContrib) VALUES (0, 0, 0, 0, 5, 31, 2)"));

    writeTypes(db, QStringLiteral("Tip_venituri"), QStringLiteral("Cod_venit"),
               QStringLiteral("Explicatie_venit"), std::begin(incomeTypes), std::end(incomeTypes));
    writeTypes(db, QStringLiteral("Tip_cheltuieli"), QStringLiteral("Cod_cheltuiala"),
               QStringLiteral("Explicatie_cheltuiala"), std::begin(expenseTypes), std::end(expenseTypes));
    writeBalanceSheet(db);
}

} // namespace InitialContents
