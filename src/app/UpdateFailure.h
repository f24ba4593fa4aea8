#pragma once

#include <QNetworkReply>
#include <QString>

// Why the update check got no release number, told to the user with what to do.
enum class UpdateFailure {
    NoNetwork,      // the server's name could not be looked up: no internet
    NoConnection,   // the server refused or dropped the connection
    NoAnswerInTime, // nothing arrived within the time-out
    ErrorPage,      // the server answered with an error page
    NotAVersion,    // the answer was not a release number
    OtherFailure    // anything else the network layer reports (a certificate, a proxy ...)
};

// The failure a finished request stands for; NoError with an HTTP status of
// 400 or above is an error page too.
UpdateFailure classifyUpdateReply(QNetworkReply::NetworkError error, int httpStatus);

// The reason and the advice shown under "Operatiunea de actualizare ... nu
// poate fi efectuata!". `detail` is the HTTP status for an error page, the
// answer for NotAVersion and the network layer's text for OtherFailure;
// `timeoutMs` the time waited.
QString updateFailureReason(UpdateFailure failure, const QString& detail, int timeoutMs);
