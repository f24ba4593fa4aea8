#include "records/FamilySheetPages.h"

namespace FamilySheetPages
{

namespace
{

const QStringList mark{QStringLiteral("X")};

} // namespace

const FamilySheetPage& parishioners()
{
    static const FamilySheetPage page{
        .caption = QStringLiteral("&Catalog"),
        .table = QStringLiteral("Enoriasi"),
        .columns = {
            {QStringLiteral("Cod_enorias"), {}, {}},
            {QStringLiteral("Nume_prenume"), {}, {}},
            {QStringLiteral("Strada"), {}, {}},
            {QStringLiteral("Nr"), {}, {}},
            {QStringLiteral("Tip_contributie"), {}, {QStringLiteral("Intreaga"), QStringLiteral("Jumatate")}},
            {QStringLiteral("Restanta"), {}, {}}}};
    return page;
}

const QList<FamilySheetPage>& records()
{
    const QString act = QStringLiteral("Nr. actului");
    const QString actDate = QStringLiteral("Data actului");
    const QString priest = QStringLiteral("Numele preotului oficiant");
    const QString godparents = QStringLiteral("Numele nasilor");
    static const QList<FamilySheetPage> pages{
        {.caption = QStringLiteral("&Membrii familiei"),
         .table = QStringLiteral("MembriiFam"),
         .columns = {{QStringLiteral("Numele"), {}, {}},
                     {QStringLiteral("Data_nasterii"), QStringLiteral("Data nasterii"), {}},
                     {QStringLiteral("Starea_civila"),
                      {},
                      {QStringLiteral("Casatorit/a"), QStringLiteral("Necasatorit/a")}},
                     {QStringLiteral("Data_casatoriei"), QStringLiteral("Data casatoriei"), {}},
                     {QStringLiteral("Data_mortii"), QStringLiteral("Data mortii"), {}},
                     {QStringLiteral("Religia"), QStringLiteral("Confesiunea"), {}},
                     {QStringLiteral("Ocupatia"), {}, {}},
                     {QStringLiteral("Observatii"), {}, {}}}},
        {.caption = QStringLiteral("&Botezuri"),
         .table = QStringLiteral("Botezuri"),
         .columns = {{QStringLiteral("Numar"), act, {}},
                     {QStringLiteral("Data"), actDate, {}},
                     {QStringLiteral("Data_nasterii"), QStringLiteral("Data nasterii"), {}},
                     {QStringLiteral("Data_botezului"), QStringLiteral("Data botezului"), {}},
                     {QStringLiteral("Nume_prunc"), QStringLiteral("Numele copilului"), {}},
                     {QStringLiteral("Legitim"), {}, mark},
                     {QStringLiteral("Natural"), {}, mark},
                     {QStringLiteral("Nume_parinti"), QStringLiteral("Numele parintilor"), {}},
                     {QStringLiteral("Nume_nasi"), godparents, {}},
                     {QStringLiteral("Nume_preot"), priest, {}},
                     {QStringLiteral("Autoritatea"), {}, {}},
                     {QStringLiteral("Observatii"), {}, {}}}},
        {.caption = QStringLiteral("&Cununii"),
         .table = QStringLiteral("Cununii"),
         .columns = {{QStringLiteral("Numar"), act, {}},
                     {QStringLiteral("Data"), actDate, {}},
                     {QStringLiteral("Nume_mire"), QStringLiteral("Numele mirelui"), {}},
                     {QStringLiteral("Varsta_mire"), QStringLiteral("Varsta"), {}},
                     {QStringLiteral("Starea_mire"),
                      QStringLiteral("June/Vaduv"),
                      {QStringLiteral("June"), QStringLiteral("Vaduv")}},
                     {QStringLiteral("Nume_mireasa"), QStringLiteral("Numele miresei"), {}},
                     {QStringLiteral("Varsta_mireasa"), QStringLiteral("Varsta"), {}},
                     {QStringLiteral("Starea_mireasa"),
                      QStringLiteral("Juna/Vaduva"),
                      {QStringLiteral("Juna"), QStringLiteral("Vaduva")}},
                     {QStringLiteral("Nume_nasi"), godparents, {}},
                     {QStringLiteral("Nume_preot"), priest, {}},
                     {QStringLiteral("Observatii"), {}, {}}}},
        {.caption = QStringLiteral("&Inmormantari "),
         .table = QStringLiteral("Inmormantari"),
         .columns = {{QStringLiteral("Numar"), act, {}},
                     {QStringLiteral("Data"), actDate, {}},
                     {QStringLiteral("Nume_decedat"), QStringLiteral("Numele decedatului"), {}},
                     {QStringLiteral("Sex_M"), QStringLiteral("Barbat"), mark},
                     {QStringLiteral("Sex_F"), QStringLiteral("Femeie"), mark},
                     {QStringLiteral("Varsta"), {}, {}},
                     {QStringLiteral("Profesia"), {}, {}},
                     {QStringLiteral("Cauza_mortii"), QStringLiteral("Cauza decesului"), {}},
                     {QStringLiteral("Nume_preot"), priest, {}},
                     {QStringLiteral("Data_Loc_Inmorm"), QStringLiteral("Data si locul inmormantarii"), {}},
                     {QStringLiteral("Observatii"), {}, {}}}},
        {.caption = QStringLiteral("&Alte activitati"),
         .table = QStringLiteral("Activitati"),
         .columns = {{QStringLiteral("Data"), {}, {}}, {QStringLiteral("Explicatie"), {}, {}}}},
    };
    return pages;
}

} // namespace FamilySheetPages
