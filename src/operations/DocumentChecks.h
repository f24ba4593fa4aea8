#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class Dataset;
class QWidget;

// One check a document must pass before it is stored. When `fails` holds,
// the user sees `message` (a warning with a single OK button), the focus
// goes to `focus` if one is given, and the document is not stored.
struct DocumentCheck {
    std::function<bool(const Dataset&)> fails;
    std::function<QString(const Dataset&)> message;
    QPointer<QWidget> focus;
};

// Runs the checks in their order and stops at the first that fails: shows
// its message and throws SilentAbort, so that the post is refused and the
// record stays in editing with everything typed.
void runChecks(const QList<DocumentCheck>& checks, const Dataset& record);

// `An_lucru` of the parish record, read anew each time. Throws DbError.
int workingYear();

// The document's year differs from the working year:
// messageStart + year + " difera de anul de lucru " + working year + " ! Introduceti o data valida."
// An empty date counts as the year 1899.
DocumentCheck workingYearCheck(const QString& messageStart,
                               const QString& dateField = QStringLiteral("Data"));

// One of the fields is empty (a null value or an empty text).
DocumentCheck completenessCheck(const QStringList& fields, const QString& message);
