#include "support/TestServer.h"

#include "db/Connection.h"
#include "db/SchemaBuilder.h"
#include "db/Sql.h"

#include <QCoreApplication>
#include <QDate>
#include <QUrl>
#include <gtest/gtest.h>

namespace
{

const QString adminConnection = QStringLiteral("LumivaretTestServerAdmin");

// Runs a statement on the server's own database "postgres" (creating and dropping databases).
void administer(const QString& statement)
{
    QSqlDatabase admin = Connection::openServerNamed(adminConnection, TestServerDatabase::serverAddress());
    Sql::exec(admin, statement);
    admin.close();
}

} // namespace

QString TestServerDatabase::serverAddress()
{
    return qEnvironmentVariable("LUMIVARET_TEST_SERVER");
}

TestServerDatabase::TestServerDatabase()
{
    static int count = 0;
    m_name = QStringLiteral("lumivaret_test_%1_%2").arg(QCoreApplication::applicationPid()).arg(++count);
    if (serverAddress().isEmpty())
        return;
    administer(QStringLiteral("DROP DATABASE IF EXISTS %1").arg(m_name));
    // A Romanian server's database: its own order of texts is the language's.
    administer(QStringLiteral("CREATE DATABASE %1 TEMPLATE template0 ENCODING 'UTF8' LOCALE 'C.UTF-8' "
                              "LOCALE_PROVIDER icu ICU_LOCALE 'ro-RO'")
                   .arg(m_name));
}

TestServerDatabase::~TestServerDatabase()
{
    if (serverAddress().isEmpty())
        return;
    Connection::close();
    try {
        administer(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_name));
    } catch (const std::exception&) {
        // A database left over goes with the server's temporary folder.
    }
    Connection::removeNamed(adminConnection);
}

QString TestServerDatabase::address() const
{
    QUrl url(serverAddress());
    url.setPath(QLatin1Char('/') + m_name);
    return url.toString();
}

QSqlDatabase TestServerDatabase::openWorkingYear()
{
    Connection::openServer(address());
    SchemaBuilder::createServerSchema(Connection::database(), QStringLiteral("parohie"),
                                      QDate::currentDate().year());
    return Connection::database();
}
