#include "app/UpdateFailure.h"

#include "core/ErrorDetail.h"

UpdateFailure classifyUpdateReply(QNetworkReply::NetworkError error, int httpStatus)
{
    switch (error) {
    case QNetworkReply::NoError:
        return httpStatus >= 400 ? UpdateFailure::ErrorPage : UpdateFailure::NotAVersion;
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
        return UpdateFailure::NoNetwork;
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::RemoteHostClosedError:
        return UpdateFailure::NoConnection;
    // The request is cancelled only by its transfer time-out.
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError:
        return UpdateFailure::NoAnswerInTime;
    default:
        // Status codes of an error page arrive as content or server errors.
        if (httpStatus >= 400)
            return UpdateFailure::ErrorPage;
        return UpdateFailure::OtherFailure;
    }
}

namespace
{

QString seconds(int ms)
{
    if (ms % 1000 == 0)
        return QString::number(ms / 1000);
    return QString::number(ms / 1000.0, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(','));
}

// The answer on one line and short: it may be a whole web page.
QString shortAnswer(const QString& answer)
{
    QString line = answer.simplified();
    if (line.size() > 30)
        line = line.left(30) + QStringLiteral("...");
    return line;
}

} // namespace

QString updateFailureReason(UpdateFailure failure, const QString& detail, int timeoutMs)
{
    switch (failure) {
    case UpdateFailure::NoNetwork:
        return QStringLiteral("Calculatorul nu pare legat la internet: adresa serverului de actualizari nu a "
                              "putut fi gasita. Verificati legatura la internet si incercati din nou.");
    case UpdateFailure::NoConnection:
        return QStringLiteral("Serverul de actualizari nu a primit cererea (legatura a fost refuzata sau "
                              "intrerupta). Incercati din nou mai tarziu.");
    case UpdateFailure::NoAnswerInTime:
        return QStringLiteral("Serverul de actualizari nu a raspuns in %1 secunde. Verificati legatura la "
                              "internet si incercati din nou mai tarziu.")
            .arg(seconds(timeoutMs));
    case UpdateFailure::ErrorPage:
        return QStringLiteral("Serverul de actualizari a raspuns cu o pagina de eroare (cod %1) in locul "
                              "numarului versiunii. Incercati din nou mai tarziu.")
            .arg(detail);
    case UpdateFailure::NotAVersion:
        return QStringLiteral("Raspunsul serverului de actualizari nu este un numar de versiune (\"%1\"). "
                              "Incercati din nou mai tarziu.")
            .arg(shortAnswer(detail));
    case UpdateFailure::OtherFailure:
        break;
    }
    return withDetail(QStringLiteral("Legatura cu serverul de actualizari nu a reusit. Verificati legatura la "
                                     "internet si incercati din nou mai tarziu."),
                      detail);
}
