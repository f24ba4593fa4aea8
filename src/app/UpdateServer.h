#pragma once

#include <QString>
#include <QUrl>

// The publisher's web server that tells the latest release and offers it for
// download. Tests point it at a server of their own.
struct UpdateServer {
    static inline const QString publisherHost = QStringLiteral("https://lumivaret.ro");
    static constexpr int requestTimeoutMs = 5000;

    QString address = publisherHost;
    int timeoutMs = requestTimeoutMs; // no byte received for this long ends the request

    // The plain-text file holding the latest release number.
    QUrl versionFile() const { return QUrl(address + QStringLiteral("/UpdateExe/VersLumivaret.txt")); }
    // The page from which the user downloads the new release.
    QUrl downloadPage() const { return QUrl(address + QStringLiteral("/actualizare.php?prg=6")); }
};

// The server in use.
UpdateServer& updateServer();
