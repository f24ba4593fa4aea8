#include "OldParish.h"

#include "db/Connection.h"
#include "db/Sql.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlRecord>

using namespace OldTableFile;

void OldParish::write(const QString& name, const QList<Field>& fields, const QList<Row>& rows) const
{
    QDir().mkpath(QFileInfo(path() + name).absolutePath());
    OldTableFile::write(path() + name, fields, rows);
}

void OldParish::incomes(const QString& name, const QList<std::pair<int, double>>& rows) const
{
    QList<Row> values;
    for (const auto& [act, amount] : rows)
        values.append({act, QDate(2023, 2, 1), QStringLiteral("Donaţii"), amount});
    write(name,
          {number(QStringLiteral("Nr_act")), date(QStringLiteral("Data")),
           alpha(QStringLiteral("Den_venit"), 100), money(QStringLiteral("Valoarea"))},
          values);
}

QStringList rowsOf(const QString& databaseFile, const QString& statement)
{
    QStringList rows;
    const QString connectionName = QStringLiteral("ImportTestRead");
    {
        QSqlDatabase db = Connection::openNamed(connectionName, databaseFile);
        QSqlQuery query = Sql::exec(db, statement);
        while (query.next()) {
            QStringList values;
            for (int i = 0; i < query.record().count(); ++i)
                values << (query.value(i).isNull() ? QStringLiteral("NULL") : query.value(i).toString());
            rows << values.join(QLatin1Char('|'));
        }
    }
    Connection::removeNamed(connectionName);
    return rows;
}
