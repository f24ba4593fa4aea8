#include "journal/JournalCommands.h"

#include "core/BusyCursor.h"
#include "core/UserDialogs.h"
#include "db/Connection.h"
#include "db/DateFormat.h"
#include "db/Transaction.h"
#include "journal/JournalVerification.h"
#include "journal/PeriodLock.h"

namespace JournalCommands
{

namespace
{

QString shown(const QDate& date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

// The lock's date as typed: in the program's short form, or with dots (the
// form the question shows), slashes or as 2024-03-31, whatever separator
// the desktop's dates use.
QDate typedDate(const QString& text)
{
    if (const QDate date = DateFormat::fromShortText(text); date.isValid())
        return date;
    for (const QString& format : {QStringLiteral("d.M.yyyy"), QStringLiteral("d/M/yyyy"), QStringLiteral("yyyy-MM-dd")})
        if (const QDate date = QDate::fromString(text, format); date.isValid())
            return date;
    return {};
}

} // namespace

void verify()
{
    JournalVerification verification;
    {
        const BusyCursor busy(true);
        verification = JournalVerification::run(Connection::database());
    }
    if (verification.isWhole())
        dialogs().information(verification.text());
    else
        dialogs().warning(verification.text());
}

bool choosePeriodLock()
{
    const QSqlDatabase db = Connection::database();
    const QDate current = PeriodLock::date(db);
    const QString prompt =
        QStringLiteral("Documentele cu data pana la aceasta zi (inclusiv) nu mai pot fi adaugate, modificate sau "
                       "sterse.\nScrieti sfarsitul ultimei luni raportate (de exemplu 31.03.2024); lasati gol "
                       "pentru a ridica blocarea.");
    QString initial = current.isValid() ? shown(current) : QString();
    for (;;) {
        const std::optional<QString> answer = dialogs().inputText(QStringLiteral("Blocare perioada"), prompt, initial);
        if (!answer)
            return false;
        const QString text = answer->trimmed();
        const QDate chosen = typedDate(text);
        if (!text.isEmpty() && !chosen.isValid()) {
            dialogs().error(QStringLiteral("\"%1\" nu este o data. Scrieti data asa: 31.03.2024.").arg(text));
            initial = text;
            continue;
        }
        if (chosen == current)
            return false;
        const bool movesBack = current.isValid() && (!chosen.isValid() || chosen < current);
        if (movesBack) {
            const QString question =
                chosen.isValid()
                    ? QStringLiteral("Blocarea se muta inapoi de la %1 la %2: documentele dintre aceste date vor "
                                     "putea fi modificate din nou. Continuati?")
                          .arg(shown(current), shown(chosen))
                    : QStringLiteral("Blocarea pana la %1 se ridica: toate documentele vor putea fi modificate din "
                                     "nou. Continuati?")
                          .arg(shown(current));
            if (!dialogs().question(question))
                return false;
        }
        Transaction transaction(db);
        PeriodLock::setDate(db, chosen);
        transaction.commit();
        dialogs().information(chosen.isValid()
                                  ? QStringLiteral("Perioada pana la %1 este blocata.").arg(shown(chosen))
                                  : QStringLiteral("Nicio perioada nu mai este blocata."));
        return true;
    }
}

QString lockStatus(const QSqlDatabase& db)
{
    const QDate lock = PeriodLock::date(db);
    return lock.isValid() ? QStringLiteral("Perioada blocata pana la %1").arg(shown(lock)) : QString();
}

} // namespace JournalCommands
