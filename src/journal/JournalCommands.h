#pragma once

#include <QSqlDatabase>
#include <QString>

// The journal's commands of the "Sistem" menu, on the database open now.
namespace JournalCommands
{

// "Verificare jurnal": the verdict in a message (a warning when not whole).
void verify();
// "Blocare perioada...": asks the lock's date (empty lifts it); moving it back
// asks first. True when the lock changed.
bool choosePeriodLock();
// The status line's words on the lock ("" when nothing is locked).
QString lockStatus(const QSqlDatabase& db);

} // namespace JournalCommands
