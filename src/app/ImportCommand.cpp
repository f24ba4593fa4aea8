#include "app/ImportCommand.h"

#include "core/BusyCursor.h"
#include "core/ProgramFolder.h"
#include "core/UserDialogs.h"
#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "transfer/OldDataImport.h"

#include <QApplication>
#include <QDir>
#include <QWidget>

namespace
{

bool otherWindowOpen(const QWidget* mainWindow)
{
    for (const QWidget* w : QApplication::topLevelWidgets())
        if (w != mainWindow && w->isVisible() &&
            (w->windowType() == Qt::Window || w->windowType() == Qt::Dialog))
            return true;
    return false;
}

} // namespace

void importOldDataInteractively(QWidget* mainWindow)
{
    if (otherWindowOpen(mainWindow)) {
        dialogs().warning(QStringLiteral("Inchideti celelalte ferestre ale programului inainte de import."));
        return;
    }
    const QString folder = dialogs().folderName(QStringLiteral("Dosarul cu datele programului vechi"), {});
    if (folder.isEmpty())
        return;
    OldDataImport import(folder, programFolder());
    if (const QString problem = import.folderProblem(); !problem.isEmpty()) {
        dialogs().warning(problem);
        return;
    }
    const QStringList withDocuments = import.databasesWithDocuments();
    if (!withDocuments.isEmpty()) {
        QStringList names;
        for (const QString& file : withDocuments)
            names << QDir::toNativeSeparators(file);
        if (!dialogs().question(
                QStringLiteral("Bazele de date urmatoare au documente:\r%1\r"
                               "Importul le inlocuieste; fiecare este pastrata langa cea noua "
                               "sub numele BazaDate-inainte-de-import-....sqlite.\r"
                               "Continuati importul?")
                    .arg(names.join(QLatin1Char('\r')))))
            return;
    }

    OldDataImport::Outcome outcome;
    {
        BusyCursor busy(true);
        // The files are replaced under the connection: it is closed first and
        // reopened on the working year, whatever happened.
        Connection::close();
        const auto reopen = [] {
            DatabaseLocation::instance().openWorkingYear();
            Q_EMIT DatabaseLocation::instance().yearSwitched();
        };
        try {
            outcome = import.run(true);
        } catch (...) {
            reopen();
            throw;
        }
        reopen();
    }
    // A long list of refused rows is read in the file, not in a box taller than the screen.
    constexpr int shownLines = 40;
    QStringList lines = outcome.reportText.trimmed().split(QLatin1Char('\n'));
    if (lines.size() > shownLines) {
        lines.resize(shownLines);
        lines << QStringLiteral("... (restul in fisier)");
    }
    dialogs().information(QStringLiteral("Importul s-a terminat. Rezumatul este scris si in %1:\r\r%2")
                              .arg(QDir::toNativeSeparators(programFolder() + OldDataImport::reportFileName),
                                   lines.join(QLatin1Char('\r'))));
}
