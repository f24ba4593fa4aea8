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
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (m_reply->error() != QNetworkReply::NoError || status >= 400) {
        const UpdateFailure failure = classifyUpdateReply(m_reply->error(), status);
        const QString detail = failure == UpdateFailure::ErrorPage ? QString::number(status)
                                                                   : m_reply->errorString();
        fail(failure, detail);
        return;
    }
    const QString body = QString::fromUtf8(m_reply->readAll());
    switch (decideUpdate(body, m_runningVersion)) {
    case UpdateVerdict::Unreadable:
        fail(UpdateFailure::NotAVersion, body);
        return;
    case UpdateVerdict::UpToDate:
        conclude([this] {
            if (m_mode == UpdateMode::Interactive)
                dialogs().information(upToDateMessage);
        });
        return;
    case UpdateVerdict::NewerRelease:
        conclude([this] { offerNewerRelease(); });
        return;
    }
}

void UpdateCheck::fail(UpdateFailure failure, const QString& detail)
{
    // At start a failure is kept quiet: the user did not ask.
    conclude([&] {
        if (m_mode == UpdateMode::Interactive)
            dialogs().error(failedMessage + QLatin1Char('\n') +
                            updateFailureReason(failure, detail, updateServer().timeoutMs));
    });
}

void UpdateCheck::conclude(const std::function<void()>& tell)
{
    m_busy.release();
    runGuarded(tell);
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
