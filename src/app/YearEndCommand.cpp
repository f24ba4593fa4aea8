#include "app/YearEndCommand.h"

#include "app/MainUnt.h"
#include "core/BusyCursor.h"
#include "core/ProgramFolder.h"
#include "core/UserDialogs.h"
#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/Dataset.h"
#include "db/Sql.h"
#include "year/YearEndRollover.h"

namespace
{

bool confirmed(int closingYear)
{
    if (!dialogs().question(
            QStringLiteral("Inainte de declansarea operatiunii de trecere la an nou este recomandat\n"
                           "sa efectuati o salvare a bazei de date accesand meniul Sistem -> Salvare date.\n"
                           "Daca ati efectuat deja salvarea ignorati mesajul!\n"
                           "Doriti sa continuati procedura de trecere la noul an?")))
        return false;
    return dialogs().question(QStringLiteral("Atentie! Aceasta operatiune va salva datele pentru anul %1\n"
                                             "si va initializa anul %2. Operatia este ireversibila!\n"
                                             "Doriti sa continuati?")
                                  .arg(closingYear)
                                  .arg(closingYear + 1));
}

// What is typed in the open windows is stored first, as leaving the record
// would store it: the closing reopens every window and would drop it unseen.
// False when a window refused to store its record (it said why).
bool storeOpenEdits(const QObject& windowsOwner)
{
    for (Dataset* source : windowsOwner.findChildren<Dataset*>())
        if (source->isActive() && source->isEditing() && !source->checkBrowseMode())
            return false;
    return true;
}

// The open windows hold the rows they read before the closing, the closed
// year's documents among them: the connection is reopened, which closes
// their record sources, and they read the new year's data again.
void reopenWorkingYear()
{
    Connection::close();
    Connection::open(DatabaseLocation::instance().workingYearDatabase());
    Q_EMIT DatabaseLocation::instance().yearSwitched();
}

} // namespace

void runYearEndRollover(const QObject& windowsOwner)
{
    const QVariant year = Sql::scalar(Connection::database(), QStringLiteral("SELECT An_lucru FROM Parohia"));
    if (year.isNull() || year.toInt() <= 0) {
        dialogs().warning(QStringLiteral(
            "Nu este setat anul de lucru!Configurati acest parametru si reluati operatiunea."));
        return;
    }
    const int closingYear = year.toInt();
    if (!confirmed(closingYear))
        return;
    if (!storeOpenEdits(windowsOwner)) {
        dialogs().warning(
            QStringLiteral("Anul %1 NU a fost inchis: o fereastra deschisa are date introduse care "
                           "nu pot fi salvate.\nCompletati-le sau renuntati la ele, apoi reluati "
                           "operatiunea.")
                .arg(closingYear));
        return;
    }

    int newYear = 0;
    {
        const BusyCursor busy(true);
        newYear = YearEndRollover::closeWorkingYear(Connection::database(), programFolder(), closingYear);
        reopenWorkingYear();
    }
    dialogs().information(
        QStringLiteral("Operatiune terminata cu succes!\n"
                       "Baza de date a fost initializata pentru anul %1.\n"
                       "Actualizati, daca este cazul, sold initial casa si sold initial banca.")
            .arg(newYear));
}

void attachYearEndCommand(TMainFrm& mainWindow)
{
    mainWindow.setCommandHandler(QStringLiteral("TrecereaLaAnNou"),
                                 [&mainWindow] { runYearEndRollover(mainWindow); });
}
