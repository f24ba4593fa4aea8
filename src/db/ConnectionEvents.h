#pragma once

#include <QObject>
#include <QString>

// Tells record sources that a named connection is about to close (a switch
// between the working year and a closed year closes and reopens it), while
// the database they were read from is still open.
class ConnectionEvents : public QObject
{
    Q_OBJECT
public:
    static ConnectionEvents& instance();

Q_SIGNALS:
    void aboutToClose(const QString& connectionName);

private:
    ConnectionEvents() = default;
};
