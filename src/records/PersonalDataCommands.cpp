#include "records/PersonalDataCommands.h"

#include "core/BusyCursor.h"
#include "core/UserDialogs.h"
#include "core/Utilities.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "records/FamilyData.h"
#include "records/PersonAnonymisation.h"
#include "records/PersonalDataExport.h"

#include <QDir>
#include <QFileInfo>

namespace PersonalDataCommands
{

void exportData(const QString& code)
{
    const QSqlDatabase db = Connection::database();
    try {
        const FamilyData family = FamilyData::read(db, code);
        QString json = dialogs().saveFileName(QStringLiteral("Salveaza datele personale"),
                                              QStringLiteral("Fisiere JSON (*.json)"),
                                              QStringLiteral("date-personale-%1.json").arg(family.code));
        if (json.isEmpty())
            return;
        if (!json.endsWith(QStringLiteral(".json"), Qt::CaseInsensitive))
            json += QStringLiteral(".json");
        const QFileInfo info(json);
        const QString pdf = info.dir().filePath(info.completeBaseName() + QStringLiteral(".pdf"));
        {
            const BusyCursor busy(true);
            PersonalDataExport::writeJson(db, family.code, json);
            PersonalDataExport::writePdf(db, family.code, pdf);
        }
        dialogs().information(
            QStringLiteral("Datele personale ale familiei %1 au fost salvate in %2 si in %3.")
                .arg(family.name, QDir::toNativeSeparators(json), QDir::toNativeSeparators(pdf)));
    } catch (const DbError& error) {
        dialogs().error(error.text());
    } catch (const IoError& error) {
        dialogs().error(error.text());
    }
}

bool anonymise(const QString& code)
{
    const QSqlDatabase db = Connection::database();
    try {
        const FamilyData family = FamilyData::read(db, code);
        PersonAnonymisation::check(db, family.code);
        const QString anonymous = PersonAnonymisation::anonymousName(family.code);
        if (!dialogs().question(
                QStringLiteral(
                    "Anonimizati datele familiei %1 (cod %2)?\n\nNumele, adresa si observatiile din fisa "
                    "familiei, din chitante si din jurnalul modificarilor vor fi inlocuite cu %3. Sumele, "
                    "datele si numerele raman, iar evidenta contabila nu se schimba.")
                    .arg(family.name, family.code, anonymous)))
            return false;
        if (!dialogs().question(
                QStringLiteral(
                    "Anonimizarea NU poate fi anulata: dupa ea numele si adresa familiei nu mai pot fi "
                    "aflate din program. (Copiile de siguranta facute inainte le pastreaza.)\n\n"
                    "Anonimizati definitiv familia %1?")
                    .arg(family.code)))
            return false;
        {
            const BusyCursor busy(true);
            PersonAnonymisation::run(db, family.code);
        }
        dialogs().information(QStringLiteral("Datele familiei cu codul %1 au fost anonimizate (%2).")
                                  .arg(family.code, anonymous));
        return true;
    } catch (const DbError& error) {
        dialogs().error(error.text());
        return false;
    }
}

} // namespace PersonalDataCommands
