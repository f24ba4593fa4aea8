#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// Tells record sources that a named connection is about to close (a switch
// between the working year and a closed year closes and reopens it), while
// the database they were read from is still open.
class ConnectionEvents : public QObject
{
    Q_OBJECT
public:
    static ConnectionEvents& instance();

    // Emits aboutToClose; while the sources react, isClosing() says so, so
    // that a detail does not follow a master that closes before it.
    void announceClosing(const QString& connectionName);
    bool isClosing(const QString& connectionName) const { return m_closing.contains(connectionName); }

    // Emits rowsStored: a record source stored or deleted a row of the table,
    // so that figures computed from it elsewhere are out of date.
    void announceStored(const QString& connectionName, const QString& table, const QObject* source);

Q_SIGNALS:
    void aboutToClose(const QString& connectionName);
    void rowsStored(const QString& connectionName, const QString& table, const QObject* source);

private:
    ConnectionEvents() = default;

    QStringList m_closing;
};
