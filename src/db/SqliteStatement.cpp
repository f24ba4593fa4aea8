#include "db/SqliteStatement.h"

#include "db/ConnectionFailure.h"
#include "db/DbError.h"

#include <QDate>
#include <sqlite3.h>

SqliteStatement::SqliteStatement(sqlite3* db, const QString& statement, const QString& table)
    : m_db(db), m_table(table)
{
    const QByteArray text = statement.toUtf8();
    if (sqlite3_prepare_v3(m_db, text.constData(), int(text.size()), SQLITE_PREPARE_PERSISTENT, &m_statement,
                           nullptr) != SQLITE_OK)
        fail();
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_statement);
}

void SqliteStatement::fail() const
{
    ConnectionFailure::raise(m_db, QString::fromUtf8(sqlite3_errmsg(m_db)), m_table);
}

void SqliteStatement::bindAll(const QVariantList& values)
{
    for (int i = 0; i < values.size(); ++i) {
        const QVariant& value = values[i];
        const int index = i + 1;
        int result = SQLITE_OK;
        if (value.isNull()) {
            result = sqlite3_bind_null(m_statement, index);
        } else {
            switch (value.typeId()) {
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::LongLong:
            case QMetaType::ULongLong:
            case QMetaType::Short:
            case QMetaType::Bool:
                result = sqlite3_bind_int64(m_statement, index, value.toLongLong());
                break;
            case QMetaType::Double:
            case QMetaType::Float:
                result = sqlite3_bind_double(m_statement, index, value.toDouble());
                break;
            case QMetaType::QDate: {
                const QByteArray text = value.toDate().toString(Qt::ISODate).toUtf8();
                result = sqlite3_bind_text(m_statement, index, text.constData(), int(text.size()),
                                           SQLITE_TRANSIENT);
                break;
            }
            default: {
                const QByteArray text = value.toString().toUtf8();
                result = sqlite3_bind_text(m_statement, index, text.constData(), int(text.size()),
                                           SQLITE_TRANSIENT);
                break;
            }
            }
        }
        if (result != SQLITE_OK)
            fail();
    }
}

bool SqliteStatement::step()
{
    const int result = sqlite3_step(m_statement);
    if (result == SQLITE_ROW)
        return true;
    if (result == SQLITE_DONE)
        return false;
    // Read the message before the reset, which keeps it but ends the statement.
    const QString message = QString::fromUtf8(sqlite3_errmsg(m_db));
    sqlite3_reset(m_statement);
    ConnectionFailure::raise(m_db, message, m_table);
}

void SqliteStatement::reset()
{
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
}

void SqliteStatement::run(const QVariantList& values)
{
    reset();
    bindAll(values);
    step();
    reset();
}

int SqliteStatement::changes() const
{
    return sqlite3_changes(m_db);
}

qint64 SqliteStatement::lastInsertRowid() const
{
    return sqlite3_last_insert_rowid(m_db);
}

SqliteStatement& StatementCache::get(sqlite3* db, const QString& statement, const QString& table)
{
    if (db != m_db) {
        clear();
        m_db = db;
    }
    auto& slot = m_statements[statement];
    if (!slot)
        slot = std::make_unique<SqliteStatement>(db, statement, table);
    return *slot;
}

void StatementCache::clear()
{
    m_statements.clear();
    m_db = nullptr;
}
