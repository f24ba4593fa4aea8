#pragma once

#include "app/UpdateDecision.h"
#include "app/UpdateFailure.h"
#include "core/BusyCursor.h"

#include <QObject>
#include <QPointer>
#include <functional>

class QNetworkAccessManager;
class QNetworkReply;
class QWidget;

enum class UpdateMode {
    Silent,     // at start: only a newer release is mentioned
    Interactive // from the menu: every outcome is told
};

// Asks the publisher's server for the latest release without blocking the
// program: the answer is handled when it arrives (or when the request fails
// or times out). When a newer release exists and the user wants it, the
// download page is opened and the main window closed, which ends the program.
class UpdateCheck : public QObject
{
    Q_OBJECT
public:
    // Followed, on a line of its own, by the reason and what to do.
    static inline const QString failedMessage =
        QStringLiteral("Operatiunea de actualizare a programului nu poate fi efectuata!");
    static inline const QString upToDateMessage =
        QStringLiteral("Aveti deja instalata ultima versiune a programului Lumivaret!");
    static inline const QString newerReleaseQuestion =
        QStringLiteral("O versiune noua a programului Lumivaret este disponibila pentru descarcare. "
                       "Doriti sa continuati?");
    static inline const QString downloadPageFailedMessage =
        QStringLiteral("Pagina de descarcare %1 nu poate fi deschisa in browser.");

    // Sends the request; the check belongs to the main window and deletes
    // itself once finished.
    UpdateCheck(UpdateMode mode, QWidget& mainWindow, const QString& runningVersion);

    UpdateMode mode() const { return m_mode; }
    // The user asked while a silent check was under way: tell every outcome.
    void makeInteractive();

signals:
    void finished();

private:
    void replied();
    // Tells the user why no release number came (when he asked), then ends the check.
    void fail(UpdateFailure failure, const QString& detail);
    // Tells the outcome, then ends the check.
    void conclude(const std::function<void()>& tell);
    void offerNewerRelease();

    UpdateMode m_mode;
    QPointer<QWidget> m_mainWindow;
    QString m_runningVersion;
    QNetworkAccessManager* m_network = nullptr;
    QNetworkReply* m_reply = nullptr;
    BusyCursor m_busy;
};

// Starts a check of the publisher's latest release (see UpdateCheck).
UpdateCheck* CheckForUpdate(UpdateMode mode, QWidget& mainWindow, const QString& runningVersion);
