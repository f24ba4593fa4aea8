#include "db/ConfiguredServer.h"

#include "core/IniFile.h"
#include "core/ProgramFolder.h"
#include "core/ProgramOptions.h"
#include "core/UserDialogs.h"
#include "db/Connection.h"
#include "db/DbError.h"

#include <QUrl>

namespace ConfiguredServer
{

QString address()
{
    return IniFile(programFolder() + ProgramOptions::fileName).readString(section, addressKey).trimmed();
}

void open(const QString& address)
{
    QString password;
    for (;;) {
        try {
            Connection::openServer(address, QStringLiteral("parohie"), password);
            return;
        } catch (const ServerWantsPassword& refusal) {
            const QUrl url(address);
            const std::optional<QString> answer = dialogs().inputPassword(
                QStringLiteral("Parola serverului"),
                QStringLiteral("%1Parola utilizatorului %2 pe serverul %3:")
                    .arg(password.isEmpty() ? QString() : QStringLiteral("Parola nu a fost primita. "),
                         url.userName(), url.host()));
            if (!answer)
                throw DbError(refusal.text());
            password = *answer;
        }
    }
}

} // namespace ConfiguredServer
