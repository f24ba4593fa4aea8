#include "app/UpdateCheck.h"

#include "app/UpdateServer.h"
#include "core/DesktopShell.h"
#include "core/ErrorGuard.h"
#include "core/UserDialogs.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QWidget>

UpdateCheck::UpdateCheck(UpdateMode mode, QWidget& mainWindow, const QString& runningVersion)
    : QObject(&mainWindow), m_mode(mode), m_mainWindow(&mainWindow), m_runningVersion(runningVersion),
      m_network(new QNetworkAccessManager(this))
{
    if (m_mode == UpdateMode::Interactive)
        m_busy.start();
    QNetworkRequest request(updateServer().versionFile());
    request.setTransferTimeout(updateServer().timeoutMs);
    m_reply = m_network->get(request);
    connect(m_reply, &QNetworkReply::finished, this, &UpdateCheck::replied);
}

void UpdateCheck::makeInteractive()
{
    m_mode = UpdateMode::Interactive;
    m_busy.start();
}

void UpdateCheck::replied()
{
    m_reply->deleteLater();
    // No network, an unknown host, a time-out or an error page all mean "no answer".
    if (m_reply->error() != QNetworkReply::NoError)
        conclude(std::nullopt);
    else
        conclude(QString::fromUtf8(m_reply->readAll()));
}

void UpdateCheck::conclude(std::optional<QString> body)
{
    m_busy.release();
    const UpdateVerdict verdict = body ? decideUpdate(*body, m_runningVersion) : UpdateVerdict::Unreadable;
    runGuarded([&] {
        const bool interactive = m_mode == UpdateMode::Interactive;
        switch (verdict) {
        case UpdateVerdict::Unreadable:
            if (interactive)
                dialogs().error(failedMessage);
            break;
        case UpdateVerdict::UpToDate:
            if (interactive)
                dialogs().information(upToDateMessage);
            break;
        case UpdateVerdict::NewerRelease:
            offerNewerRelease();
            break;
        }
    });
    emit finished();
    deleteLater();
}

void UpdateCheck::offerNewerRelease()
{
    if (!dialogs().question(newerReleaseQuestion))
        return;
    const QUrl page = updateServer().downloadPage();
    // The program stays open when the browser cannot show where to download from.
    if (!desktopShell().open(page.toString())) {
        dialogs().error(downloadPageFailedMessage.arg(page.toString()));
        return;
    }
    if (m_mainWindow)
        m_mainWindow->close();
}

UpdateCheck* CheckForUpdate(UpdateMode mode, QWidget& mainWindow, const QString& runningVersion)
{
    return new UpdateCheck(mode, mainWindow, runningVersion);
}
